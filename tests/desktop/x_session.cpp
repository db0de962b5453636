#include "x_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

template <class Condition>
bool waitUntil(Condition condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        pause(1);
    }
    return true;
}

// Windows of other programs may go at any moment between two requests:
// Xlib's default handler would end the test at the first such error.
int ignoreError(Display*, XErrorEvent*) { return 0; }

bool grabRefused = false;
int noteRefusal(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) grabRefused = true;
    return 0;
}

unsigned littleEndian(const std::string& bytes, size_t at, size_t width) {
    unsigned value = 0;
    for (size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

std::string desktopProgramFolder() {
    const char* folder = std::getenv("GRABNIK_DESKTOP_PROGRAMS");
    return folder ? folder : "";
}

XDesktop::XDesktop() : display_(XOpenDisplay(nullptr)) { XSetErrorHandler(ignoreError); }

XDesktop::~XDesktop() {
    if (display_) XCloseDisplay(display_);
}

void XDesktop::pressKeys(std::initializer_list<unsigned long> keysyms) {
    for (unsigned long keysym : keysyms)
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), True, CurrentTime);
    for (auto keysym = std::rbegin(keysyms); keysym != std::rend(keysyms); ++keysym)
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, *keysym), False, CurrentTime);
    XSync(display_, False);
}

void XDesktop::typeKeys(std::initializer_list<unsigned long> keysyms) {
    for (unsigned long keysym : keysyms) {
        pressKeys({keysym});
        pause(30);
    }
}

bool XDesktop::waitFocusOn(const char* title, int timeoutMs) {
    return waitUntil(
        [&] {
            Window focus;
            int revert;
            char* name = nullptr;
            XGetInputFocus(display_, &focus, &revert);
            const bool found = focus > PointerRoot && XFetchName(display_, focus, &name) && name &&
                               std::strcmp(name, title) == 0;
            if (name) XFree(name);
            return found;
        },
        timeoutMs);
}

void XDesktop::drag(int fromX, int fromY, int toX, int toY) {
    XTestFakeMotionEvent(display_, -1, fromX, fromY, CurrentTime);
    XSync(display_, False);
    pause(50);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
    // In steps, as a hand moves, each one seen before the next.
    constexpr int Steps = 10;
    for (int step = 1; step <= Steps; ++step) {
        pause(20);
        XTestFakeMotionEvent(display_, -1, fromX + (toX - fromX) * step / Steps,
                             fromY + (toY - fromY) * step / Steps, CurrentTime);
        XSync(display_, False);
    }
    pause(50);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

Window XDesktop::shownOverlay() {
    const Window root = DefaultRootWindow(display_);
    const int width = DisplayWidth(display_, DefaultScreen(display_));
    const int height = DisplayHeight(display_, DefaultScreen(display_));
    Window rootReturn, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display_, root, &rootReturn, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        XClassHint names = {nullptr, nullptr};
        // Grabnik's by its X class, which Wine names after the program:
        // managed (on some Wayland compositors) or not, and never another
        // full-screen window (the compositor keeps some of its own).
        if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable &&
            a.width == width && a.height == height && XGetClassHint(display_, children[i], &names) &&
            names.res_class && std::strcmp(names.res_class, "grabnik.exe") == 0)
            found = children[i];
        if (names.res_name) XFree(names.res_name);
        if (names.res_class) XFree(names.res_class);
    }
    if (children) XFree(children);
    return found;
}

bool XDesktop::waitOverlay(bool shown, int timeoutMs) {
    return waitUntil([&] { return (shownOverlay() != 0) == shown; }, timeoutMs);
}

bool XDesktop::waitOverlayFocus(int timeoutMs) {
    return waitUntil(
        [&] {
            Window focus;
            int revert;
            XGetInputFocus(display_, &focus, &revert);
            return focus != 0 && focus == shownOverlay();
        },
        timeoutMs);
}

bool XDesktop::canGrab(unsigned long keysym, unsigned modifiers) {
    const Window root = DefaultRootWindow(display_);
    const KeyCode keycode = XKeysymToKeycode(display_, keysym);
    grabRefused = false;
    XErrorHandler previous = XSetErrorHandler(noteRefusal);
    XGrabKey(display_, keycode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (!grabRefused) XUngrabKey(display_, keycode, modifiers, root);
    XSync(display_, False);
    return !grabRefused;
}

PatternWindow::PatternWindow(XDesktop& desktop, int width, int height)
    : display_(desktop.display()) {
    const int screen = DefaultScreen(display_);
    const Window root = RootWindow(display_, screen);
    XImage* image = XCreateImage(display_, DefaultVisual(display_, screen), 24, ZPixmap, 0,
                                 static_cast<char*>(std::malloc(size_t(width) * height * 4)),
                                 unsigned(width), unsigned(height), 32, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) XPutPixel(image, x, y, colourAt(x, y));
    picture_ = XCreatePixmap(display_, root, unsigned(width), unsigned(height), 24);
    const GC gc = XCreateGC(display_, picture_, 0, nullptr);
    XPutImage(display_, picture_, gc, image, 0, 0, 0, 0, unsigned(width), unsigned(height));
    XFreeGC(display_, gc);
    XDestroyImage(image);

    // With the picture as its background the server repaints the window
    // itself: the test never has to answer an expose.
    XSetWindowAttributes attributes = {};
    attributes.background_pixmap = picture_;
    window_ = XCreateWindow(display_, root, 100, 100, unsigned(width), unsigned(height), 0,
                            CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap, &attributes);
    XStoreName(display_, window_, "native window");
    // Asked again now and then: a window manager that is still starting may
    // drop the request.
    for (int attempt = 0; attempt < 5; ++attempt) {
        XMapWindow(display_, window_);
        if (waitUntil(
                [&] {
                    XWindowAttributes a;
                    return XGetWindowAttributes(display_, window_, &a) && a.map_state == IsViewable;
                },
                2000))
            break;
    }
    waitUntil(
        [&] {
            takeFocus();
            return hasFocus();
        },
        10000);
}

PatternWindow::~PatternWindow() {
    XDestroyWindow(display_, window_);
    XFreePixmap(display_, picture_);
    XSync(display_, False);
}

unsigned long PatternWindow::colourAt(int x, int y) {
    return ((x & 0xFFul) << 16) | ((y & 0xFFul) << 8) | ((x >> 8) & 0xF) | (((y >> 8) & 0xF) << 4);
}

std::pair<int, int> PatternWindow::screenOrigin() const {
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y};
}

void PatternWindow::takeFocus() {
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
}

bool PatternWindow::hasFocus() const {
    Window focus;
    int revert;
    XGetInputFocus(display_, &focus, &revert);
    return focus == window_;
}

Companion::Companion(const std::vector<std::string>& arguments) : pid_(-1) {
    const std::string companion = GRABNIK_COMPANION;
    const std::string folder = desktopProgramFolder();
    std::vector<char*> argv = {const_cast<char*>(companion.c_str()),
                               const_cast<char*>(folder.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
}

Companion::~Companion() {
    if (pid_ < 0) return;
    kill(pid_, SIGTERM);
    if (waitExit(10000) < 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int Companion::waitExit(int timeoutMs) {
    int status = 0;
    if (pid_ < 0) return -1;
    if (!waitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeoutMs)) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

Picture decodeBmp(const std::string& bytes) {
    Picture picture;
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return picture;
    const unsigned offset = littleEndian(bytes, 10, 4);
    const int width = int(littleEndian(bytes, 18, 4));
    const int rawHeight = int(littleEndian(bytes, 22, 4));
    const unsigned bits = littleEndian(bytes, 28, 2);
    if ((bits != 24 && bits != 32) || width <= 0 || rawHeight == 0) return picture;
    // A positive height stores the bottom row first.
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const size_t stride = (size_t(width) * bits / 8 + 3) & ~size_t(3);
    if (offset + stride * size_t(height) > bytes.size()) return picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * size_t(rawHeight < 0 ? y : height - 1 - y);
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(littleEndian(bytes, row + size_t(x) * bits / 8, 3));
    }
    return picture;
}

::testing::AssertionResult showOverlayBy(XDesktop& desktop, const std::function<void()>& press) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        press();
        if (desktop.waitOverlay(true, 1500)) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no overlay after 20 presses";
}

std::string clipboardWhenThere(const char* type) {
    std::string content;
    for (int attempt = 0; attempt < 40 && content.empty(); ++attempt) {
        content =
            commandOutput(std::string("timeout 5 xclip -selection clipboard -o -t ") + type + " 2>/dev/null");
        if (content.empty()) pause(50);
    }
    return content;
}

int differingFromPattern(const Picture& snip, int left, int top) {
    int differing = 0;
    for (int y = 0; y < snip.height; ++y)
        for (int x = 0; x < snip.width; ++x)
            differing += snip.pixels[size_t(y * snip.width + x)] !=
                         PatternWindow::colourAt(left + x, top + y);
    return differing;
}

double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
