// Asks the top-level window with a given title to close, as a window manager's close button does: an ICCCM
// WM_DELETE_WINDOW client message. The smoke test's Xvfb has no window manager to do it.
// Usage: send_close_request TITLE   (uses $DISPLAY; exits 1 when no such window takes the request)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct XFreeDeleter
{
    void operator()(void* data) const { XFree(data); }
};

template <typename T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

std::string textProperty(Display* display, Window window, Atom property)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* raw = nullptr;
    const int status = XGetWindowProperty(
        display, window, property, 0, 1024, False, AnyPropertyType, &actualType, &format, &count, &remaining, &raw);
    const XPtr<unsigned char> data(raw);
    if (status != Success || format != 8 || !data) {
        return {};
    }
    return {reinterpret_cast<const char*>(data.get()), count};
}

std::vector<Window> children(Display* display, Window parent)
{
    Window root = None;
    Window ignoredParent = None;
    Window* raw = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ignoredParent, &raw, &count)) {
        return {};
    }
    const XPtr<Window> list(raw);
    return {list.get(), list.get() + count};
}

// A reparenting window manager would put the client one level down, so look at grandchildren too.
std::vector<Window> windowsTitled(Display* display, const std::string& title)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    std::vector<Window> found;
    for (const Window top : children(display, XDefaultRootWindow(display))) {
        std::vector<Window> candidates{top};
        for (const Window child : children(display, top)) {
            candidates.push_back(child);
        }
        for (const Window window : candidates) {
            if (textProperty(display, window, XA_WM_NAME) == title
                || textProperty(display, window, netWmName) == title) {
                found.push_back(window);
            }
        }
    }
    return found;
}

bool takesDeleteRequests(Display* display, Window window, Atom deleteWindow)
{
    Atom* raw = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display, window, &raw, &count)) {
        return false;
    }
    const XPtr<Atom> protocols(raw);
    for (int i = 0; i < count; ++i) {
        if (protocols.get()[i] == deleteWindow) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s TITLE\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "send_close_request: cannot open display \"%s\"\n", XDisplayName(nullptr));
        return 2;
    }

    const std::vector<Window> windows = windowsTitled(display, title);
    if (windows.size() != 1) {
        std::fprintf(stderr, "send_close_request: %zu windows titled \"%s\", expected one\n", windows.size(), argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    const Window window = windows.front();
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!takesDeleteRequests(display, window, deleteWindow)) {
        std::fprintf(stderr, "send_close_request: window 0x%lx does not list WM_DELETE_WINDOW\n", window);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    if (!sent) {
        std::fprintf(stderr, "send_close_request: the X server refused to pass the message on\n");
        return 1;
    }
    std::printf("close request sent to window 0x%lx\n", window);
    return 0;
}
