// Drops files onto an X window as a file manager does, by the XDND
// protocol: enter, position over the window's middle, drop, hand over the
// "text/uri-list" when asked, wait for the target's "finished".
//
//   xdnd_drop WINDOW_ID FILE...
//
// Ends 0 when the target accepted the drop and said it is finished, 1 when
// it refused or did not answer within 5 s, 2 on wrong use.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr long XDND_VERSION = 5;

Display* display = nullptr;
Window source = 0, target = 0;

Atom atom(const char* name) { return XInternAtom(display, name, False); }

void send(Atom type, long l1, long l2, long l3, long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(source);
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &e);
    XFlush(display);
}

// "file:///a%20b.wav\r\n" for each path: reserved bytes escaped.
std::string uri_list(int count, char** paths) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += "file://";
        for (const unsigned char c : std::string(paths[i])) {
            if (std::isalnum(c) || std::string("/-_.~").find(static_cast<char>(c)) != std::string::npos) {
                out += static_cast<char>(c);
            } else {
                out += '%';
                out += hex[c >> 4];
                out += hex[c & 15];
            }
        }
        out += "\r\n";
    }
    return out;
}

// The next event within the time left; false when none came.
bool next_event(XEvent& e, int& ms_left) {
    while (!XPending(display)) {
        if (ms_left <= 0) return false;
        pollfd p{ConnectionNumber(display), POLLIN, 0};
        poll(&p, 1, 50);
        ms_left -= 50;
    }
    XNextEvent(display, &e);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: xdnd_drop WINDOW_ID FILE...\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xdnd_drop: no display\n");
        return 2;
    }
    target = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom selection = atom("XdndSelection"), uri_type = atom("text/uri-list"), copy = atom("XdndActionCopy");
    const Atom status = atom("XdndStatus"), finished = atom("XdndFinished");
    const std::string data = uri_list(argc - 2, argv + 2);
    XSetSelectionOwner(display, selection, source, CurrentTime);

    // the window's middle on the screen
    XWindowAttributes a{};
    XGetWindowAttributes(display, target, &a);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, target, DefaultRootWindow(display), a.width / 2, a.height / 2, &x, &y, &child);

    send(atom("XdndEnter"), XDND_VERSION << 24, static_cast<long>(uri_type), 0, 0);
    send(atom("XdndPosition"), 0, (static_cast<long>(x) << 16) | y, CurrentTime, static_cast<long>(copy));
    int ms_left = 5000;
    bool dropped = false;
    XEvent e;
    while (next_event(e, ms_left)) {
        if (e.type == ClientMessage && e.xclient.message_type == status && !dropped) {
            if (!(e.xclient.data.l[1] & 1)) {
                std::fprintf(stderr, "xdnd_drop: the window refuses the files\n");
                return 1;
            }
            send(atom("XdndDrop"), 0, CurrentTime, 0, 0);
            dropped = true;
        } else if (e.type == SelectionRequest) {
            // the target asks for the list
            const XSelectionRequestEvent& r = e.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = r.requestor;
            reply.xselection.selection = r.selection;
            reply.xselection.target = r.target;
            reply.xselection.time = r.time;
            reply.xselection.property = None;
            if (r.target == uri_type) {
                XChangeProperty(display, r.requestor, r.property, uri_type, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
                reply.xselection.property = r.property;
            }
            XSendEvent(display, r.requestor, False, NoEventMask, &reply);
            XFlush(display);
        } else if (e.type == ClientMessage && e.xclient.message_type == finished) {
            const bool accepted = (e.xclient.data.l[1] & 1) != 0;
            if (!accepted) std::fprintf(stderr, "xdnd_drop: the window did not take the files\n");
            XCloseDisplay(display);
            return accepted ? 0 : 1;
        }
    }
    std::fprintf(stderr, "xdnd_drop: no answer from the window\n");
    return 1;
}
