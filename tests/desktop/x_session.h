// Drives a Linux X desktop as a user would, for the desktop tests and the
// latency benchmark: the companion started as the run command starts it,
// keys and the mouse through XTest (the path a real keyboard takes), a
// native window of the test's own holding the focus, the X clipboard read
// through xclip.
#pragma once

// GoogleTest before X: the X headers define macros such as None and Bool.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The folder with grabnik.exe and grabnik-bridge.exe, from the environment
// (GRABNIK_DESKTOP_PROGRAMS); empty when the desktop is not prepared.
std::string desktopProgramFolder();

// The test's own connection to the display.
class XDesktop {
public:
    XDesktop();
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    Display* display() const { return display_; }

    // Presses the keys in order and releases them in reverse.
    void pressKeys(std::initializer_list<unsigned long> keysyms);
    // Types the keys one after the other, each pressed and released.
    void typeKeys(std::initializer_list<unsigned long> keysyms);
    // Waits until a window with this title has the keyboard focus.
    bool waitFocusOn(const char* title, int timeoutMs);
    // A left-button drag from one screen point to the other.
    void drag(int fromX, int fromY, int toX, int toY);

    // Grabnik's full-screen overlay: its window over the whole screen.
    // Waits until it is shown (or hidden); false on timeout.
    bool waitOverlay(bool shown, int timeoutMs);
    // Waits until the shown overlay has the keyboard focus: Wine gives it
    // the focus a moment after it is mapped.
    bool waitOverlayFocus(int timeoutMs);
    // Whether the test could grab the key combination itself: not while
    // another client, the companion, holds it.
    bool canGrab(unsigned long keysym, unsigned modifiers);

private:
    Window shownOverlay();

    Display* display_;
};

// A managed window of the test's own, painted by the X server with a
// picture in which every pixel has a colour of its own, and given the focus.
class PatternWindow {
public:
    PatternWindow(XDesktop& desktop, int width, int height);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    static unsigned long colourAt(int x, int y);  // 0xRRGGBB
    // Where its top-left pixel is on the screen now: the window manager
    // moves it into its frame a moment after it is mapped.
    int screenX() const { return screenOrigin().first; }
    int screenY() const { return screenOrigin().second; }
    bool hasFocus() const;
    void takeFocus();

private:
    Display* display_;
    Window window_;
    Pixmap picture_;

    std::pair<int, int> screenOrigin() const;
};

// grabnik-companion FOLDER ARGUMENTS..., ended (if still running) with
// SIGTERM when destroyed, as an interrupted run command ends it.
class Companion {
public:
    explicit Companion(const std::vector<std::string>& arguments);
    ~Companion();
    Companion(const Companion&) = delete;
    Companion& operator=(const Companion&) = delete;

    // Its exit status, or -1 if it still runs after the timeout.
    int waitExit(int timeoutMs);

private:
    pid_t pid_;
};

// The output of a command, run with the test's environment.
std::string commandOutput(const std::string& command);

// A 24- or 32-bit BMP file as the X clipboard hands it out; empty (zero
// width) when the bytes are no such picture.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;  // 0xRRGGBB, top row first
};
Picture decodeBmp(const std::string& bytes);

// Grabnik, the bridge and Wine take a moment to start, and a hotkey
// pressed before then does nothing: pressed again, as a user would.
::testing::AssertionResult showOverlayBy(XDesktop& desktop, const std::function<void()>& press);

// The X clipboard's content of one type once it is there, or empty.
std::string clipboardWhenThere(const char* type);

// How many pixels of a snip differ from the pattern window's, the snip's
// top-left pixel being the window's (left, top).
int differingFromPattern(const Picture& snip, int left, int top);

// A monotonic clock in milliseconds, for the latency benchmarks.
double nowMs();
