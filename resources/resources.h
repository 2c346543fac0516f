#pragma once

namespace resources {

// Registers the pictures of the windows (":/images/...") with Qt. They live in
// a static library, so the linker would otherwise drop them. Call it before a
// window that shows one is created; calling it again does no harm.
void Initialize();

} // namespace resources
