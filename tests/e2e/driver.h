// The end-to-end test driver: starts the real grabnik.exe under Wine and
// talks to it only as a user or another program could, through input,
// windows, the clipboard, the screen and the file system.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/hotkey_text_logic.h"
#include "support/clock.h"

namespace e2e {

// Folder of the running test program, where the build puts grabnik.exe too.
std::string binDirectory();
std::string grabnikPath();

// Environment variables as names and values.
using Environment = std::vector<std::pair<std::string, std::string>>;

// The variables the program reads its temporary directory from.
Environment temporaryDirectoryIs(const std::string& directory);

// Sets variables in this process, and so for the programs it starts, until
// the object ends; then puts the previous values back.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const Environment& variables);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    Environment previous_;
};

// One running grabnik.exe. Whatever happens in a test, the destructor ends
// the process (asking first, then terminating), so nothing outlives a case.
class Grabnik {
public:
    // `environment` is set for the program on top of what it inherits. A
    // relative `executable` is found from this process's current folder, as
    // the platform finds it; the program runs in `currentDirectory`, or in
    // this process's current folder when that is empty.
    explicit Grabnik(const std::string& arguments, const std::string& executable = grabnikPath(),
                     const Environment& environment = {}, const std::string& currentDirectory = {});
    ~Grabnik();
    Grabnik(const Grabnik&) = delete;
    Grabnik& operator=(const Grabnik&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD pid() const { return process_.dwProcessId; }
    // Waits until the overlay window exists and the message loop is idle:
    // from then on both hotkeys are registered.
    bool waitReady(DWORD timeoutMs = 10000);
    HWND overlay() const;  // its "MainWindowClass" window, or null
    bool hasExited() const;
    // Waits for the process to end on its own; false on timeout.
    bool waitExit(DWORD* exitCode, DWORD timeoutMs = 5000);
    // Sends WM_CLOSE to the overlay and waits for the process to end.
    bool close(DWORD* exitCode, DWORD timeoutMs = 5000);

private:
    PROCESS_INFORMATION process_ = {};
};

// Top-level windows of a process: with a class or caption of null matching any.
HWND findWindowOf(DWORD pid, const char* className, const char* caption);
std::vector<HWND> visibleWindowsOf(DWORD pid);
HWND waitForWindowOf(DWORD pid, const char* className, const char* caption, DWORD timeoutMs = 5000);
bool waitVisible(HWND window, bool visible, DWORD timeoutMs = 5000);

// Message boxes: the program's are captioned "Error".
HWND waitForMessageBox(DWORD pid, DWORD timeoutMs = 5000);
std::string messageBoxText(HWND box);
void dismissMessageBox(HWND box);

// True when another program holds this combination: our own registration fails.
bool hotkeyIsTaken(HotkeyCode hotkey);

// Keyboard and mouse through SendInput, as a user would press them.
void pressHotkey(UINT modifiers, UINT key);
void keyDown(UINT key);
void keyUp(UINT key);
void pressKey(UINT key);
void moveMouse(int x, int y);   // checked: the cursor lands on exactly (x, y)
void mouseButton(DWORD flags);  // e.g. MOUSEEVENTF_LEFTDOWN
void drag(int fromX, int fromY, int toX, int toY, int steps = 4);
void click(int x, int y);

// Pixels as the platform's colour values: red in the low byte.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The header of a 32-bit DIB whose rows run from the top down.
BITMAPINFO topDownBitmapInfo(int width, int height);

// The clipboard, read and written as another program would.
bool setClipboardText(const std::string& text);
std::string clipboardText();  // empty when there is no CF_TEXT
bool clipboardHasFormat(UINT format);
bool clipboardBitmap(Image& image);           // false when there is no CF_BITMAP
bool setClipboardBitmap(const Image& image);  // replaces the contents with a CF_BITMAP
// The names in CF_HDROP, in their order; none when there is no file list.
std::vector<std::wstring> clipboardFiles();
// The "Preferred DropEffect" value; 0 (no effect) when there is none.
DWORD clipboardDropEffect();
// The bytes of the registered format "PNG", as another program reads them
// (a delayed one is rendered by its owner first); empty when there is none.
std::vector<unsigned char> clipboardPng();
// Replaces the contents with "PNG" alone, holding exactly these bytes.
bool setClipboardPng(const std::vector<unsigned char>& bytes);

// A screen-compatible bitmap with these pixels (the caller deletes it), and
// the pixels of any bitmap.
HBITMAP createBitmap(const Image& image);
Image bitmapPixels(HBITMAP bitmap);

// One BitBlt of the screen area into memory, then plain reads.
Image captureScreen(int x, int y, int width, int height);
Image captureScreen();

// Settles Wine's push of window contents to the X server.
void settle(DWORD ms = 200);

}  // namespace e2e
