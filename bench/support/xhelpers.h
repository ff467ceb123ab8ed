#pragma once

// X11 calls the bench programs make on their own connection, kept apart from
// Qt's headers (Xlib's macros clash with Qt's names).

#include <cstdint>
#include <functional>
#include <vector>

namespace bench::x11 {

// Gives the keyboard focus to a top-level window (there is no window manager).
bool focusWindow(unsigned long window);

// Resizes a top-level window from another connection, as a window manager does
// during a drag: one request every intervalMs for each size, sent from a thread
// of its own. sentAtMs receives the monotonic time each request was flushed.
struct Size {
    int width;
    int height;
};
void resizeBurst(unsigned long window, const std::vector<Size> &sizes, double intervalMs,
                 std::vector<double> &sentAtMs);

} // namespace bench::x11
