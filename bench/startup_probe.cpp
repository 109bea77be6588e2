// Times a program's start on an X display from the server's own events: from the fork to the
// first top-level window mapped (MapNotify on the root), and to the first drawing into it that
// leaves the given window point non-black (DAMAGE events, each followed by one pixel read).
// No polling: between events the probe sleeps in poll().
// Usage: startup_probe X Y COMMAND [ARGS...]   prints "mapped_ms painted_ms"
// It waits 20 s at most, or STARTUP_PROBE_SECONDS (to time a start that builds first).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The pixel at (x, y) of the window is drawn: not black (the server's unpainted window).
bool Painted(Display* display, Window window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel != 0;
}

// The window holds the point: the program's own window, not a small helper it maps.
bool Holds(Display* display, Window window, int x, int y) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.width > x &&
           attributes.height > y;
}

// A window that went away between the event and the reading is not an error here.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// The next event, waiting at most until the deadline; nothing when it passes.
std::optional<XEvent> NextEvent(Display* display, Clock::time_point deadline) {
    while (XPending(display) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
    XEvent event;
    XNextEvent(display, &event);
    return event;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_probe X Y COMMAND [ARGS...]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    std::unique_ptr<Display, DisplayCloser> owner(XOpenDisplay(nullptr));
    Display* display = owner.get();
    int damageEvent = 0, damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "startup_probe: no X display with the DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(IgnoreError);
    XSelectInput(display, XDefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    const char* wait = std::getenv("STARTUP_PROBE_SECONDS");
    const Clock::time_point deadline = start + std::chrono::seconds(wait ? std::atoi(wait) : 20);
    double mapped = -1, painted = -1;
    Window window = 0;
    Damage damage = 0;
    while (painted < 0) {
        const std::optional<XEvent> event = NextEvent(display, deadline);
        if (!event)
            break;
        if (event->type == MapNotify && window == 0 && !event->xmap.override_redirect &&
            Holds(display, event->xmap.window, x, y)) {
            mapped = MillisecondsSince(start);
            window = event->xmap.window;
            damage = XDamageCreate(display, window, XDamageReportNonEmpty);
            XSync(display, False);
            // Drawn before the damage object existed: seen now.
            if (Painted(display, window, x, y))
                painted = MillisecondsSince(start);
        } else if (event->type == damageEvent + XDamageNotify) {
            XDamageSubtract(display, damage, None, None);
            if (Painted(display, window, x, y))
                painted = MillisecondsSince(start);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    if (painted < 0) {
        std::fprintf(stderr, "startup_probe: %s in time\n",
                     mapped < 0 ? "no window mapped" : "the window was never drawn");
        return 1;
    }
    std::printf("%.1f %.1f\n", mapped, painted);
    return 0;
}
