#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "linux/x_refusal.h"
#include "support/clock.h"

extern char** environ;

namespace {

// Every millisecond, as the desktop's waits always looked: the latency
// benchmark times the overlay's showing with them.
constexpr int PollMs = 1;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Windows of other programs may go at any moment between two requests:
// Xlib's default handler would end the test at the first such error.
int ignoreError(Display*, XErrorEvent*) { return 0; }

std::vector<std::string> usualCommand(const std::vector<std::string>& arguments) {
    // The benchmarks run the release build, as the run command does; the
    // tests their own, with the sanitizers.
    const char* program = std::getenv("GRABNIK_COMPANION_PROGRAM");
    std::vector<std::string> command = {program ? program : GRABNIK_COMPANION,
                                        desktopProgramFolder()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

}  // namespace

std::string desktopProgramFolder() {
    const char* folder = std::getenv("GRABNIK_DESKTOP_PROGRAMS");
    return folder ? folder : "";
}

XDesktop::XDesktop() : display_(XOpenDisplay(nullptr), XCloseDisplay) {
    XSetErrorHandler(ignoreError);
}

void XDesktop::pressKeys(std::initializer_list<unsigned long> keysyms) {
    for (unsigned long keysym : keysyms)
        XTestFakeKeyEvent(display(), keyTyping(keysym), True, CurrentTime);
    for (auto keysym = std::rbegin(keysyms); keysym != std::rend(keysyms); ++keysym)
        XTestFakeKeyEvent(display(), keyTyping(*keysym), False, CurrentTime);
    XSync(display(), False);
}

// The first key that types the keysym in the active group, alone or else
// with Shift (XK_K names the K key), as Xlib translates it: a key with
// fewer groups wraps the group, and so on.
KeyCode XDesktop::keyTyping(unsigned long keysym) {
    XkbStateRec state = {};
    XkbGetState(display(), XkbUseCoreKbd, &state);
    // Read anew: Xlib's own copy may predate the layouts that setxkbmap set.
    XkbDescPtr keyboard = XkbGetMap(display(), XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    KeyCode found = 0;
    for (unsigned shift : {0u, unsigned(ShiftMask)})
        for (int keycode = keyboard ? keyboard->min_key_code : 1;
             keyboard && keycode <= keyboard->max_key_code && !found; ++keycode) {
            unsigned modifiers = 0;
            KeySym typed = NoSymbol;
            if (XkbTranslateKeyCode(keyboard, KeyCode(keycode),
                                    XkbBuildCoreState(shift, state.group), &modifiers, &typed) &&
                typed == keysym)
                found = KeyCode(keycode);
        }
    if (keyboard) XkbFreeKeyboard(keyboard, 0, True);
    return found;
}

void XDesktop::lockGroup(unsigned group) {
    XkbLockGroup(display(), XkbUseCoreKbd, group);
    XSync(display(), False);
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
            XGetInputFocus(display(), &focus, &revert);
            const bool found = focus > PointerRoot && XFetchName(display(), focus, &name) && name &&
                               std::strcmp(name, title) == 0;
            if (name) XFree(name);
            return found;
        },
        timeoutMs, PollMs);
}

void XDesktop::drag(int fromX, int fromY, int toX, int toY) {
    XTestFakeMotionEvent(display(), -1, fromX, fromY, CurrentTime);
    XSync(display(), False);
    pause(50);
    XTestFakeButtonEvent(display(), 1, True, CurrentTime);
    XSync(display(), False);
    // In steps, as a hand moves, each one seen before the next.
    constexpr int Steps = 10;
    for (int step = 1; step <= Steps; ++step) {
        pause(20);
        XTestFakeMotionEvent(display(), -1, fromX + (toX - fromX) * step / Steps,
                             fromY + (toY - fromY) * step / Steps, CurrentTime);
        XSync(display(), False);
    }
    pause(50);
    XTestFakeButtonEvent(display(), 1, False, CurrentTime);
    XSync(display(), False);
}

Window XDesktop::shownOverlay() {
    const Window root = DefaultRootWindow(display());
    const int width = DisplayWidth(display(), DefaultScreen(display()));
    const int height = DisplayHeight(display(), DefaultScreen(display()));
    Window rootReturn, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display(), root, &rootReturn, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        XClassHint names = {nullptr, nullptr};
        // Grabnik's by its X class, which Wine names after the program:
        // managed (on some Wayland compositors) or not, and never another
        // full-screen window (the compositor keeps some of its own). Wine
        // maps an input-only window of the same size over the screen while
        // the overlay holds the keyboard, to keep the cursor there.
        if (XGetWindowAttributes(display(), children[i], &a) && a.c_class == InputOutput &&
            a.map_state == IsViewable && a.width == width && a.height == height &&
            XGetClassHint(display(), children[i], &names) && names.res_class &&
            std::strcmp(names.res_class, "grabnik.exe") == 0)
            found = children[i];
        if (names.res_name) XFree(names.res_name);
        if (names.res_class) XFree(names.res_class);
    }
    if (children) XFree(children);
    return found;
}

bool XDesktop::waitOverlay(bool shown, int timeoutMs) {
    return waitUntil([&] { return (shownOverlay() != 0) == shown; }, timeoutMs, PollMs);
}

bool XDesktop::pressUntilOverlay(const std::function<void()>& press) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        press();
        if (waitOverlay(true, 1500)) return true;
    }
    return false;
}

bool XDesktop::waitOverlayFocus(int timeoutMs) {
    return waitUntil(
        [&] {
            Window focus;
            int revert;
            XGetInputFocus(display(), &focus, &revert);
            return focus != 0 && focus == shownOverlay();
        },
        timeoutMs, PollMs);
}

bool XDesktop::closeOverlay() {
    if (!waitOverlayFocus(3000)) return false;
    pressKeys({XK_Escape});
    return waitOverlay(false, 3000);
}

bool XDesktop::canGrab(unsigned long keysym, unsigned modifiers) {
    const Window root = DefaultRootWindow(display());
    const KeyCode keycode = keyTyping(keysym);
    const bool refused = refusesAccess(display(), [&] {
        XGrabKey(display(), keycode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
    });
    if (!refused) XUngrabKey(display(), keycode, modifiers, root);
    XSync(display(), False);
    return !refused;
}

Picture XDesktop::screenArea(int x, int y, int width, int height) {
    Picture picture;
    XImage* shown = XGetImage(display(), DefaultRootWindow(display()), x, y, unsigned(width),
                              unsigned(height), AllPlanes, ZPixmap);
    if (!shown) return picture;
    picture.width = width;
    picture.height = height;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            picture.pixels.push_back(XGetPixel(shown, column, row) & 0xFFFFFF);
    XDestroyImage(shown);
    return picture;
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
                2000, PollMs))
            break;
    }
    waitUntil(
        [&] {
            takeFocus();
            return hasFocus();
        },
        10000, PollMs);
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

KeyboardLayouts::KeyboardLayouts(XDesktop& desktop, const char* layouts) : desktop_(desktop) {
    change(layouts);
}

// The locked group outlives a new keymap: it is set back too.
KeyboardLayouts::~KeyboardLayouts() {
    change("us");
    desktop_.lockGroup(0);
}

void KeyboardLayouts::change(const char* layouts) {
    commandOutput(std::string("setxkbmap -layout ") + layouts);
}

Companion::Companion(const std::vector<std::string>& arguments)
    : Companion(CommandLine{usualCommand(arguments)}) {}

Companion::Companion(const CommandLine& command) : pid_(-1) {
    char errorsPath[] = "/tmp/grabnik-companion-errors-XXXXXX";
    const int errors = mkostemp(errorsPath, O_CLOEXEC);
    errorsPath_ = errorsPath;
    std::vector<char*> argv;
    for (const std::string& word : command.words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (errors >= 0) posix_spawn_file_actions_adddup2(&actions, errors, STDERR_FILENO);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (errors >= 0) close(errors);
}

Companion::~Companion() {
    if (pid_ >= 0) {
        kill(pid_, SIGTERM);
        if (waitExit(10000) < 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    std::fputs(errors().c_str(), stderr);
    std::remove(errorsPath_.c_str());
}

bool Companion::waitErrors(const std::string& text, int timeoutMs) {
    return waitUntil([&] { return errors().find(text) != std::string::npos; }, timeoutMs);
}

std::string Companion::errors() const {
    std::ifstream file(errorsPath_);
    return {std::istreambuf_iterator<char>(file), {}};
}

int Companion::waitExit(int timeoutMs) {
    int status = 0;
    if (pid_ < 0) return -1;
    if (!waitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeoutMs, PollMs))
        return -1;
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

std::string clipboardWhen(const char* type,
                          const std::function<bool(const std::string&)>& complete) {
    std::string content;
    // Bounded: on a Wayland desktop the clipboard's owner may not answer.
    waitUntil(
        [&] {
            content = commandOutput(std::string("timeout 5 xclip -selection clipboard -o -t ") +
                                    type + " 2>/dev/null");
            return complete(content);
        },
        10000, 50);
    return content;
}

bool nonEmpty(const std::string& content) { return !content.empty(); }

std::string uriListFile(const std::string& list) {
    const std::string line = list.substr(0, list.find_first_of("\r\n"));
    if (line.compare(0, 7, "file://") != 0) return "";
    std::string file;
    for (size_t i = 7; i < line.size(); ++i) {
        if (line[i] == '%' && i + 2 < line.size()) {
            file += char(std::stoi(line.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            file += line[i];
        }
    }
    return file;
}

int unlikePattern(const Picture& picture, int left, int top) {
    if (picture.width == 0) return -1;
    int differing = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            differing += picture.pixels[size_t(y * picture.width + x)] !=
                         PatternWindow::colourAt(left + x, top + y);
    return differing;
}
