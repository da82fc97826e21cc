// Starts a program and prints the milliseconds from its start to the first drawing on a window of it: the first
// damage on a mapped InputOutput top-level window of at least 100x50 pixels. With no window manager, top-level
// windows are children of the root, so watching the root's substructure sees every one of them being made.
// Usage: bench_FirstPaint [--keep] [--timeout SECONDS] COMMAND [ARGUMENTS...]
//   --keep   leave the program running and print its process id after the milliseconds
// The program's own standard output goes to standard error.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <signal.h>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int MinimumWidth = 100;
constexpr int MinimumHeight = 50;

struct TopLevel
{
    int width = 0;
    int height = 0;
    bool mapped = false;
};

// Windows come and go under us, and InputOnly ones cannot be watched for damage: such errors only mean that a
// window is not the one we wait for.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

bool bigEnough(const TopLevel& window)
{
    return window.mapped && window.width >= MinimumWidth && window.height >= MinimumHeight;
}

void stop(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 40; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return;
        }
        usleep(50000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Waits for the first drawing on a window made after the watch began; returns false at the time-out or when
// the program ends first.
bool waitForFirstPaint(Display* display, int damageEvent, pid_t child, Clock::time_point deadline)
{
    std::map<Window, TopLevel> windows;
    const Window root = DefaultRootWindow(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                const XCreateWindowEvent& created = event.xcreatewindow;
                windows[created.window] = TopLevel{created.width, created.height, false};
                XDamageCreate(display, created.window, XDamageReportNonEmpty);
            } else if (event.type == ConfigureNotify && windows.count(event.xconfigure.window) > 0) {
                windows[event.xconfigure.window].width = event.xconfigure.width;
                windows[event.xconfigure.window].height = event.xconfigure.height;
            } else if (event.type == MapNotify && windows.count(event.xmap.window) > 0) {
                windows[event.xmap.window].mapped = true;
            } else if (event.type == UnmapNotify && windows.count(event.xunmap.window) > 0) {
                windows[event.xunmap.window].mapped = false;
            } else if (event.type == DestroyNotify) {
                windows.erase(event.xdestroywindow.window);
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto* damage = reinterpret_cast<const XDamageNotifyEvent*>(&event);
                const auto found = windows.find(damage->drawable);
                if (found != windows.end() && bigEnough(found->second)) {
                    return true;
                }
            }
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended before it drew a window\n");
            return false;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) {
            std::fprintf(stderr, "no window was drawn in time\n");
            return false;
        }
        // Wake at least every 50 ms to notice a program that ended.
        const auto wait = std::min<Clock::duration>(left, std::chrono::milliseconds(50));
        timeval timeout{0, int(std::chrono::duration_cast<std::chrono::microseconds>(wait).count())};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(ConnectionNumber(display), &readable);
        select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &timeout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    bool keep = false;
    int timeoutSeconds = 20;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (std::strcmp(argv[first], "--keep") == 0) {
            keep = true;
        } else if (std::strcmp(argv[first], "--timeout") == 0 && first + 1 < argc) {
            timeoutSeconds = std::stoi(argv[++first]);
        } else {
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--keep] [--timeout SECONDS] COMMAND [ARGUMENTS...]\n", argv[0]);
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (XDamageQueryExtension(display, &damageEvent, &damageError) == 0) {
        std::fprintf(stderr, "the X server has no Damage extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // The watch must be in place before the program can make its first window.
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        // Standard output carries only the figures; the program's own output goes with our errors.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }

    const bool painted = waitForFirstPaint(display, damageEvent, child, start + std::chrono::seconds(timeoutSeconds));
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    XCloseDisplay(display);
    if (!painted) {
        stop(child);
        return 1;
    }
    if (keep) {
        std::printf("%.1f %d\n", elapsed, int(child));
    } else {
        std::printf("%.1f\n", elapsed);
        stop(child);
    }
    return 0;
}
