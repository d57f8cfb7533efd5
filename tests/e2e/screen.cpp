#include "tests/e2e/harness.h"
#include "tests/e2e/processes.h"

#include <X11/Xlib.h>

#include <cctype>
#include <cstdlib>

namespace {

// The four header words of a PPM, with the comments ImageMagick puts between.
bool ppmWords(const std::string &data, std::string words[4], size_t *end)
{
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        for (;;) {
            while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at]))) ++at;
            if (at >= data.size() || data[at] != '#') break;
            at = data.find('\n', at);
            if (at == std::string::npos) return false;
        }
        size_t start = at;
        while (at < data.size() && !std::isspace(static_cast<unsigned char>(data[at]))) ++at;
        words[i] = data.substr(start, at - start);
    }
    *end = at + 1;  // the one white-space byte before the pixels
    return at < data.size();
}

bool parsePpm(const std::string &data, Screenshot *shot)
{
    std::string words[4];
    size_t start = 0;
    if (!ppmWords(data, words, &start) || words[0] != "P6" || words[3] != "255") return false;
    shot->width = std::atoi(words[1].c_str());
    shot->height = std::atoi(words[2].c_str());
    if (shot->width <= 0 || shot->height <= 0) return false;
    size_t size = static_cast<size_t>(shot->width) * shot->height * 3;
    if (data.size() < start + size) return false;
    shot->rgb.assign(data.begin() + start, data.begin() + start + size);
    return true;
}

}  // namespace

bool SameColour(Colour a, Colour b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

std::string Describe(Colour c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

Colour Screenshot::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
    const unsigned char *p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Screenshot::count(Colour colour, PixelRect area, int tolerance) const
{
    int hits = 0;
    for (int y = std::max(area.y0, 0); y <= std::min(area.y1, height - 1); ++y)
        for (int x = std::max(area.x0, 0); x <= std::min(area.x1, width - 1); ++x)
            if (SameColour(at(x, y), colour, tolerance)) ++hits;
    return hits;
}

bool Screenshot::centroid(Colour colour, PixelRect area, int tolerance, Point *mean, int minimum) const
{
    double sx = 0, sy = 0;
    int hits = 0;
    for (int y = std::max(area.y0, 0); y <= std::min(area.y1, height - 1); ++y)
        for (int x = std::max(area.x0, 0); x <= std::min(area.x1, width - 1); ++x)
            if (SameColour(at(x, y), colour, tolerance)) {
                sx += x;
                sy += y;
                ++hits;
            }
    if (hits < minimum) return false;
    *mean = {sx / hits, sy / hits};
    return true;
}

Screenshot TakeScreenshot()
{
    Screenshot shot;
    std::string ppm = RunTool({"sh", "-c", "xwd -root -silent | /usr/bin/convert xwd:- ppm:-"});
    if (!parsePpm(ppm, &shot)) shot = Screenshot{};
    return shot;
}

// Viewable top-level windows whose WM_NAME or _NET_WM_NAME is the title. Read
// as raw bytes: SDL's message boxes name WM_NAME's type "UTF-8", which xdotool
// cannot decode, so it would never find them.
static bool titled(Display *d, Window w, const std::string &title)
{
    for (const char *property : {"WM_NAME", "_NET_WM_NAME"}) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        bool same = XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 256, False, AnyPropertyType,
                                       &type, &format, &count, &after, &data) == Success &&
                    data && format == 8 && std::string(reinterpret_cast<char *>(data), count) == title;
        if (data) XFree(data);
        if (same) return true;
    }
    return false;
}

// A window may vanish between the listing and the look at it.
static int ignoreXErrors(Display *, XErrorEvent *) { return 0; }

std::vector<WindowBox> ViewableWindowsTitled(const std::string &display, const std::string &title)
{
    std::vector<WindowBox> found;
    XSetErrorHandler(ignoreXErrors);
    Display *d = XOpenDisplay(display.c_str());
    if (!d) return found;
    Window root = DefaultRootWindow(d), parent, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
            if (!titled(d, children[i], title)) continue;
            found.push_back({children[i], a.x, a.y, a.width, a.height});
        }
        if (children) XFree(children);
    }
    XCloseDisplay(d);
    return found;
}

void SendDeleteWindow(const std::string &display, unsigned long window)
{
    Display *d = XOpenDisplay(display.c_str());
    if (!d) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
    XCloseDisplay(d);
}

bool DisplayAnswers(const std::string &display)
{
    Display *d = XOpenDisplay(display.c_str());
    if (d) XCloseDisplay(d);
    return d != nullptr;
}
