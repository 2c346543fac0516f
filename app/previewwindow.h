#pragma once
// The page as the data file would print it, in a window of its own: fitted
// to the window at first, zoomable.

#include <QDialog>
#include <QImage>

#include "ui_previewwindow.h"

namespace app {

// Shows a preview picture of the declaration (the printable area outlined,
// the entries of the warnings in red), modally: the print that asked for it
// waits meanwhile.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PreviewWindow(QImage page, QWidget* parent = nullptr);

    const QImage& Page() const { return m_page; }
    // The picture's scale on the screen: 1 is a pixel for a pixel.
    double Zoom() const { return m_zoom; }
    // Whether the picture follows the window's size.
    bool Fitted() const { return m_fitted; }

    void ZoomIn();
    void ZoomOut();
    void FitToWindow();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetZoom(double zoom);

    Ui::PreviewWindow m_ui;
    QImage m_page;
    double m_zoom = 1;
    bool m_fitted = true;
};

} // namespace app
