// Start-up probe: a small X client that starts a program and reports how long
// it took from the fork to the first mapping of a top-level window whose title
// contains a given text.
//
//   bench_startup_probe TITLE TIMEOUT_S PROGRAM [ARGS...]
//
// The probe connects to the X server and listens for MapNotify on the root
// window before it forks, so the clock starts as the program's process is born
// and stops when the server tells that the window is on the screen. It prints
// "startup_ms=N" and ends the program (SIGTERM, then SIGKILL).

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double monotonicMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::string windowTitle(Display *display, Window window)
{
    static const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    for (Atom property : {netWmName, static_cast<Atom>(XA_WM_NAME)}) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                               &format, &items, &after, &data)
                == Success
            && data) {
            std::string title(reinterpret_cast<char *>(data),
                              items * static_cast<unsigned long>(format / 8));
            XFree(data);
            if (!title.empty())
                return title;
        }
    }
    return {};
}

int ignoreErrors(Display *, XErrorEvent *)
{
    return 0; // windows may go while we look at them
}

void stop(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE TIMEOUT_S PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string wanted = argv[1];
    const double timeoutMs = std::atof(argv[2]) * 1000.0;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double started = monotonicMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[3], argv + 3);
        std::perror("execvp");
        _exit(127);
    }

    double mappedAt = -1;
    while (mappedAt < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            const double at = monotonicMs();
            if (windowTitle(display, event.xmap.window).find(wanted) != std::string::npos) {
                mappedAt = at;
                break;
            }
        }
        if (mappedAt >= 0)
            break;
        if (monotonicMs() - started > timeoutMs || waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "startup probe: no window titled '%s' was mapped\n",
                         wanted.c_str());
            stop(child);
            return 1;
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 50);
    }
    std::printf("startup_ms=%.3f\n", mappedAt - started);
    std::fflush(stdout);
    stop(child);
    XCloseDisplay(display);
    return 0;
}
