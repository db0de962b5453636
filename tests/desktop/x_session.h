// Drives a Linux X desktop as a user would, for the desktop and Wayland
// tests and the latency benchmarks: the companion started as the run command starts it,
// keys and the mouse through XTest (the path a real keyboard takes), a
// native window of the test's own holding the focus, the X clipboard read
// through xclip.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/picture_bytes.h"

// The folder with grabnik.exe and grabnik-bridge.exe, from the environment
// (GRABNIK_DESKTOP_PROGRAMS); empty when the desktop is not prepared.
std::string desktopProgramFolder();

// The test's own connection to the display.
class XDesktop {
public:
    XDesktop();

    Display* display() const { return display_.get(); }

    // Presses the keys that type these keysyms in the active layout group,
    // in order, and releases them in reverse.
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
    // Presses until the overlay shows, at most 20 times: Grabnik, the bridge
    // and Wine take a moment to start, and a hotkey pressed before then does
    // nothing. A user would press again.
    bool pressUntilOverlay(const std::function<void()>& press);
    // Waits until the shown overlay has the keyboard focus: Wine gives it
    // the focus a moment after it is mapped.
    bool waitOverlayFocus(int timeoutMs);
    // Closes the shown overlay as a user would, with Escape; false when it
    // does not go.
    bool closeOverlay();
    // Whether the test could grab the key that types the keysym now, with
    // these modifiers: not while another client, the companion, holds it.
    bool canGrab(unsigned long keysym, unsigned modifiers);
    // What the screen shows there.
    Picture screenArea(int x, int y, int width, int height);
    // Makes a layout group active, as a layout switch on the keyboard does.
    void lockGroup(unsigned group);

private:
    Window shownOverlay();
    KeyCode keyTyping(unsigned long keysym);

    std::unique_ptr<Display, int (*)(Display*)> display_;  // closed at the end
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

// The keyboard layouts of the display, set with setxkbmap ("fr,us": French
// in group 0, US in group 1) for as long as it lives; then the display's
// own "us" again, in group 0.
class KeyboardLayouts {
public:
    KeyboardLayouts(XDesktop& desktop, const char* layouts);
    ~KeyboardLayouts();
    KeyboardLayouts(const KeyboardLayouts&) = delete;
    KeyboardLayouts& operator=(const KeyboardLayouts&) = delete;

    void change(const char* layouts);

private:
    XDesktop& desktop_;
};

// A command line to start instead of the usual one.
struct CommandLine {
    std::vector<std::string> words;
};

// The companion, started as `grabnik-companion FOLDER ARGUMENTS...` with
// the prepared folder, or by a command line of its own; ended (if still
// running) with SIGTERM when destroyed, as an interrupted run command ends
// it. What it says on stderr is kept, and passed on to the test's stderr
// at the end.
class Companion {
public:
    explicit Companion(const std::vector<std::string>& arguments);
    explicit Companion(const CommandLine& command);
    ~Companion();
    Companion(const Companion&) = delete;
    Companion& operator=(const Companion&) = delete;

    // Its exit status, or -1 if it still runs after the timeout.
    int waitExit(int timeoutMs);
    // Waits until its stderr holds the text; false on timeout.
    bool waitErrors(const std::string& text, int timeoutMs);

private:
    pid_t pid_;
    std::string errorsPath_;

    std::string errors() const;
};

// The output of a command, run with the test's environment.
std::string commandOutput(const std::string& command);


// The X clipboard's content of one type once `complete` holds for it, or
// what it held last, after ten seconds.
std::string clipboardWhen(const char* type,
                          const std::function<bool(const std::string&)>& complete);

// For clipboardWhen: any content at all.
bool nonEmpty(const std::string& content);

// The one file a text/uri-list names: its file:// address, percent-decoded;
// empty when the list starts with no such address.
std::string uriListFile(const std::string& list);

// How many pixels differ from the pattern window's picture from (left, top)
// on; -1 for an empty picture.
int unlikePattern(const Picture& picture, int left, int top);
