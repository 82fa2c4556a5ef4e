// zelxclient: another application on the X display, for the tests of looking up text in
// other applications. It maps a small window with a caption and its process id, prints the
// window's id, and serves until it is ended:
//
//   zelxclient [--title T] [--primary TEXT] [--copy TEXT] [--minimized] [--desktop]
//
// --primary holds TEXT as the primary selection (what a selection in an editor does);
// --copy puts TEXT on the clipboard when Ctrl+C reaches the window; --minimized marks the
// window hidden; --desktop makes it a desktop window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Answers a request for the selection's contents as text (or the list of targets).
void Answer(Display* display, XSelectionRequestEvent& request, const std::string& text) {
    Atom targets = XInternAtom(display, "TARGETS", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = request.property ? request.property : request.target;
    if (request.target == targets) {
        Atom offered[] = {targets, utf8, XA_STRING};
        XChangeProperty(display, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(offered), 3);
    } else if (request.target == utf8 || request.target == XA_STRING) {
        XChangeProperty(display, request.requestor, reply.property, request.target, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        int(text.size()));
    } else {
        reply.property = None;
    }
    XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

} // namespace

int main(int argc, char** argv) {
    std::string title = "Other application", primary, copy;
    bool minimized = false, desktop = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--title" && i + 1 < argc)
            title = argv[++i];
        else if (a == "--primary" && i + 1 < argc)
            primary = argv[++i];
        else if (a == "--copy" && i + 1 < argc)
            copy = argv[++i];
        else if (a == "--minimized")
            minimized = true;
        else if (a == "--desktop")
            desktop = true;
        else {
            std::fprintf(stderr, "usage: zelxclient [--title T] [--primary TEXT] [--copy TEXT] "
                                 "[--minimized] [--desktop]\n");
            return 2;
        }
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "zelxclient: no X display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    Window window = XCreateSimpleWindow(display, root, 600, 400, 200, 100, 0, 0, 0xFFFFFF);
    XStoreName(display, window, title.c_str());
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    int(title.size()));
    long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    XClassHint hint{const_cast<char*>("zelxclient"), const_cast<char*>("Zelxclient")};
    XSetClassHint(display, window, &hint);
    if (minimized) {
        Atom hidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", False);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(&hidden), 1);
    }
    if (desktop) {
        Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False),
                        XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
    }
    XSelectInput(display, window, KeyPressMask | ExposureMask);
    XMapWindow(display, window);
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    if (!primary.empty())
        XSetSelectionOwner(display, XA_PRIMARY, window, CurrentTime);
    XSync(display, False);
    std::printf("%lu\n", window);
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            XSelectionRequestEvent& request = event.xselectionrequest;
            Answer(display, request, request.selection == XA_PRIMARY ? primary : copy);
        } else if (event.type == KeyPress && !copy.empty()) {
            KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_c && (event.xkey.state & ControlMask)) {
                XSetSelectionOwner(display, clipboard, window, event.xkey.time);
                XFlush(display);
            }
        }
    }
}
