#include "xhelpers.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace bench::x11 {

namespace {

double monotonicMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

bool focusWindow(unsigned long window)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}

void resizeBurst(unsigned long window, const std::vector<Size> &sizes, double intervalMs,
                 std::vector<double> &sentAtMs)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const double start = monotonicMs();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const double due = start + static_cast<double>(i) * intervalMs;
        while (monotonicMs() < due)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        XResizeWindow(display, window, static_cast<unsigned>(sizes[i].width),
                      static_cast<unsigned>(sizes[i].height));
        XFlush(display);
        sentAtMs.push_back(monotonicMs());
    }
    XSync(display, False);
    XCloseDisplay(display);
}

} // namespace bench::x11
