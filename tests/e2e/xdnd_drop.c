/* Drops files on the window under a screen point, as a file manager does: an XDND source
 * (protocol version 5) offering text/uri-list. Moves the pointer to the point first.
 * Usage: xdnd_drop X Y FILE...   (absolute paths)
 * Exit status: 0 dropped and finished, 2 usage or no display, 3 no XDND-aware window there,
 * 4 the target refused the drop, 5 no answer in time. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

static Display *dpy;
static Atom aAware, aEnter, aPosition, aStatus, aDrop, aFinished, aLeave, aSelection, aActionCopy, aUriList,
    aTargets;

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

/* Appends the file URI of path, percent-encoding every byte that is not unreserved. */
static int appendUri(char *out, size_t size, size_t *used, const char *path)
{
    static const char hex[] = "0123456789ABCDEF";
    const char *prefix = "file://";
    size_t need = strlen(prefix) + 3 * strlen(path) + 2;
    if (*used + need + 1 > size)
        return 0;
    size_t n = *used;
    memcpy(out + n, prefix, strlen(prefix));
    n += strlen(prefix);
    for (const unsigned char *p = (const unsigned char *)path; *p; ++p) {
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') ||
            strchr("/-._~", *p)) {
            out[n++] = (char)*p;
        } else {
            out[n++] = '%';
            out[n++] = hex[*p >> 4];
            out[n++] = hex[*p & 15];
        }
    }
    out[n++] = '\r';
    out[n++] = '\n';
    out[n] = '\0';
    *used = n;
    return 1;
}

static int isAware(Window w)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = NULL;
    int aware = XGetWindowProperty(dpy, w, aAware, 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                                   &data) == Success &&
                type != None && count > 0;
    if (data)
        XFree(data);
    return aware;
}

/* The deepest XDND-aware window at the root point, searching from the top-level down. */
static Window targetAt(Window root, int x, int y)
{
    Window parent = root, child = None, found = None;
    int cx, cy;
    while (XTranslateCoordinates(dpy, root, parent, x, y, &cx, &cy, &child) && child != None) {
        if (isAware(child))
            found = child;
        parent = child;
    }
    return found;
}

static void sendMessage(Window target, Atom type, long l0, long l1, long l2, long l3, long l4)
{
    XEvent e;
    memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.display = dpy;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(dpy, target, False, NoEventMask, &e);
    XFlush(dpy);
}

static void answerRequest(const XSelectionRequestEvent *request, const char *uris)
{
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = dpy;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = None;
    Atom property = request->property != None ? request->property : request->target;
    if (request->target == aUriList) {
        XChangeProperty(dpy, request->requestor, property, aUriList, 8, PropModeReplace,
                        (const unsigned char *)uris, (int)strlen(uris));
        reply.xselection.property = property;
    } else if (request->target == aTargets) {
        Atom offered[2] = {aTargets, aUriList};
        XChangeProperty(dpy, request->requestor, property, XA_ATOM, 32, PropModeReplace,
                        (const unsigned char *)offered, 2);
        reply.xselection.property = property;
    }
    XSendEvent(dpy, request->requestor, False, NoEventMask, &reply);
    XFlush(dpy);
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s X Y FILE...\n", argv[0]);
        return 2;
    }
    int x = atoi(argv[1]), y = atoi(argv[2]);
    dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "xdnd_drop: cannot open the display\n");
        return 2;
    }
    static char uris[65536];
    size_t used = 0;
    for (int i = 3; i < argc; ++i) {
        if (!appendUri(uris, sizeof uris, &used, argv[i])) {
            fprintf(stderr, "xdnd_drop: too many or too long paths\n");
            return 2;
        }
    }
    aAware = XInternAtom(dpy, "XdndAware", False);
    aEnter = XInternAtom(dpy, "XdndEnter", False);
    aPosition = XInternAtom(dpy, "XdndPosition", False);
    aStatus = XInternAtom(dpy, "XdndStatus", False);
    aDrop = XInternAtom(dpy, "XdndDrop", False);
    aFinished = XInternAtom(dpy, "XdndFinished", False);
    aLeave = XInternAtom(dpy, "XdndLeave", False);
    aSelection = XInternAtom(dpy, "XdndSelection", False);
    aActionCopy = XInternAtom(dpy, "XdndActionCopy", False);
    aUriList = XInternAtom(dpy, "text/uri-list", False);
    aTargets = XInternAtom(dpy, "TARGETS", False);

    Window root = DefaultRootWindow(dpy);
    Window source = XCreateSimpleWindow(dpy, root, -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(dpy, aSelection, source, CurrentTime);
    if (XGetSelectionOwner(dpy, aSelection) != source) {
        fprintf(stderr, "xdnd_drop: could not own XdndSelection\n");
        return 2;
    }
    XWarpPointer(dpy, None, root, 0, 0, 0, 0, x, y);
    XSync(dpy, False);
    Window target = targetAt(root, x, y);
    if (target == None) {
        fprintf(stderr, "xdnd_drop: no XDND-aware window at %d,%d\n", x, y);
        return 3;
    }

    sendMessage(target, aEnter, (long)source, 5L << 24, (long)aUriList, 0, 0);
    sendMessage(target, aPosition, (long)source, 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime, (long)aActionCopy);
    double deadline = now() + 10.0;
    int dropped = 0, refusals = 0;
    int fd = ConnectionNumber(dpy);
    while (now() < deadline) {
        if (!XPending(dpy)) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            struct timeval wait = {0, 20000};
            select(fd + 1, &set, NULL, NULL, &wait);
            continue;
        }
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == SelectionRequest) {
            answerRequest(&e.xselectionrequest, uris);
        } else if (e.type == ClientMessage && e.xclient.message_type == aStatus && !dropped) {
            if (e.xclient.data.l[1] & 1) {
                sendMessage(target, aDrop, (long)source, 0, CurrentTime, 0, 0);
                dropped = 1;
            } else if (++refusals < 5) {
                /* The target may still be reading the data: ask again. */
                sendMessage(target, aPosition, (long)source, 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime,
                            (long)aActionCopy);
            } else {
                sendMessage(target, aLeave, (long)source, 0, 0, 0, 0);
                fprintf(stderr, "xdnd_drop: the window at %d,%d refused the drop\n", x, y);
                return 4;
            }
        } else if (e.type == ClientMessage && e.xclient.message_type == aFinished) {
            XCloseDisplay(dpy);
            return 0;
        }
    }
    fprintf(stderr, "xdnd_drop: no %s from the target in time\n", dropped ? "XdndFinished" : "XdndStatus");
    return 5;
}
