#pragma once

class QWidget;

namespace resources {

// The frame and look of the two calibration dialogs: a caption with the
// system menu, the minimise, maximise and close boxes, sizeable; the window
// look below.
void SetUpDialog(QWidget* dialog);

// The main window's frame: a single fixed border with the system menu and the
// minimise and close boxes; the user can neither resize nor maximise it.
void SetFixedWindowFrame(QWidget* window);

// The look every window of the program shares: the button face behind the
// controls, the fonts in pixel heights (pixelfonts.h) and Enter on the
// buttons (enterkey.h).
void ApplyWindowLook(QWidget* window);

// Moves the window to the centre of its screen's available area; the frame
// counts where the platform already knows it.
void CentreOnScreen(QWidget* window);

} // namespace resources
