#include "driver.h"

#include <shellapi.h>  // DragQueryFileW

#include <cstring>
#include <optional>

#include "core/win_holders.h"

namespace e2e {

namespace {

struct WindowSearch {
    DWORD pid;
    const char* className;
    const char* caption;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.pid) return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    char text[256] = "";
    if (search.className) {
        GetClassNameA(window, text, sizeof text);
        if (std::strcmp(text, search.className) != 0) return TRUE;
    }
    if (search.caption) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, search.caption) != 0) return TRUE;
    }
    search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> windowsOf(DWORD pid, const char* className, const char* caption,
                            bool visibleOnly) {
    WindowSearch search = {pid, className, caption, visibleOnly, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void sendKey(UINT key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = WORD(key);
    input.ki.wScan = WORD(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

const UINT modifierKeys[][2] = {
    {MOD_CONTROL, VK_CONTROL}, {MOD_ALT, VK_MENU}, {MOD_SHIFT, VK_SHIFT}, {MOD_WIN, VK_LWIN}};

// Absolute mouse coordinates run from 0 to 65535 over the screen; rounding
// up lands on the intended pixel under Wine's conversion.
LONG toAbsolute(int pixel, int extent) { return LONG((pixel * 65536LL + extent - 1) / extent); }

// Moves to (x, y) and does what `buttonFlags` say there, in one input.
void mouseInputAt(int x, int y, DWORD buttonFlags) {
    // Over the virtual screen, so that every monitor can be reached.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = toAbsolute(x - left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = toAbsolute(y - top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags =
        MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | buttonFlags;
    SendInput(1, &input, sizeof input);
}

bool modifiersHeld(UINT modifiers) {
    for (const auto& m : modifierKeys)
        if ((modifiers & m[0]) && !(GetAsyncKeyState(int(m[1])) & 0x8000)) return false;
    return true;
}

// The clipboard for this thread, waited for: another process, the program
// under test among them, may hold it for a moment.
class ClipboardLock {
public:
    ClipboardLock() {
        waitUntil([&] { return clipboard_.emplace(nullptr).isOpen(); }, 2000);
    }
    bool isOpen() const { return clipboard_->isOpen(); }

private:
    std::optional<ClipboardScope> clipboard_;
};

Image readBitmap(HDC source, HBITMAP bitmap, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height));
    BITMAPINFO info = topDownBitmapInfo(width, height);
    GetDIBits(source, bitmap, 0, UINT(height), image.pixels.data(), &info, DIB_RGB_COLORS);
    // A DIB pixel is 0x00RRGGBB; the platform's colour values put red low.
    for (uint32_t& p : image.pixels) p = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    return image;
}

}  // namespace

std::string binDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/"));
}

std::string grabnikPath() { return binDirectory() + "\\grabnik.exe"; }

Environment temporaryDirectoryIs(const std::string& directory) {
    return {{"TMP", directory}, {"TEMP", directory}};
}

ScopedEnvironment::ScopedEnvironment(const Environment& variables) {
    for (const auto& variable : variables) {
        char value[32768];
        const DWORD length = GetEnvironmentVariableA(variable.first.c_str(), value, sizeof value);
        previous_.emplace_back(variable.first, length ? std::string(value, length) : "");
        SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    // Backwards, so that a name given twice gets its first value back.
    for (auto variable = previous_.rbegin(); variable != previous_.rend(); ++variable)
        SetEnvironmentVariableA(variable->first.c_str(),
                                variable->second.empty() ? nullptr : variable->second.c_str());
}

Grabnik::Grabnik(const std::string& arguments, const std::string& executable,
                 const Environment& environment, const std::string& currentDirectory) {
    const ScopedEnvironment inherited(environment);
    std::string commandLine = "\"" + executable + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(executable.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup,
                        &process_))
        process_ = {};
}

Grabnik::~Grabnik() {
    if (!started()) return;
    if (!hasExited()) {
        // Message boxes first: the program waits in them and would not close.
        for (HWND box : windowsOf(pid(), "#32770", nullptr, false))
            PostMessageA(box, WM_CLOSE, 0, 0);
        if (HWND window = overlay()) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Grabnik::waitReady(DWORD timeoutMs) {
    if (!started() || !waitUntil([&] { return overlay() != nullptr || hasExited(); }, timeoutMs))
        return false;
    return !hasExited() && WaitForInputIdle(process_.hProcess, timeoutMs) == 0;
}

HWND Grabnik::overlay() const {
    std::vector<HWND> found = windowsOf(pid(), "MainWindowClass", nullptr, false);
    return found.empty() ? nullptr : found.front();
}

bool Grabnik::hasExited() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

bool Grabnik::waitExit(DWORD* exitCode, DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_.hProcess, exitCode);
    return true;
}

bool Grabnik::close(DWORD* exitCode, DWORD timeoutMs) {
    HWND window = overlay();
    return window && PostMessageA(window, WM_CLOSE, 0, 0) && waitExit(exitCode, timeoutMs);
}

HWND findWindowOf(DWORD pid, const char* className, const char* caption) {
    std::vector<HWND> found = windowsOf(pid, className, caption, false);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> visibleWindowsOf(DWORD pid) { return windowsOf(pid, nullptr, nullptr, true); }

HWND waitForWindowOf(DWORD pid, const char* className, const char* caption, DWORD timeoutMs) {
    HWND window = nullptr;
    waitUntil([&] { return (window = findWindowOf(pid, className, caption)) != nullptr; },
              timeoutMs);
    return window;
}

bool waitVisible(HWND window, bool visible, DWORD timeoutMs) {
    return waitUntil([&] { return (IsWindowVisible(window) != 0) == visible; }, timeoutMs);
}

HWND waitForMessageBox(DWORD pid, DWORD timeoutMs) {
    HWND box = nullptr;
    waitUntil(
        [&] {
            box = findWindowOf(pid, "#32770", "Error");
            return box && IsWindowVisible(box);
        },
        timeoutMs);
    return box && IsWindowVisible(box) ? box : nullptr;
}

std::string messageBoxText(HWND box) {
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's static text control
    return text;
}

void dismissMessageBox(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }

bool hotkeyIsTaken(HotkeyCode hotkey) {
    const int probeId = 0xBFFF;
    if (!RegisterHotKey(nullptr, probeId, hotkeyModifiers(hotkey), hotkeyKey(hotkey))) return true;
    UnregisterHotKey(nullptr, probeId);
    return false;
}

void pressHotkey(UINT modifiers, UINT key) {
    // Under Wine, a program whose window gains or loses the focus brings the
    // keyboard state into line with the X keyboard, on which keys sent from
    // here are never down: it may release our modifiers between their press
    // and the key's, and then only the bare key arrives. Checked on both
    // sides of the key's press: modifiers found released while the key is
    // still down were released before it (the same bringing into line
    // releases the key too), so the chord is pressed again.
    for (int attempt = 0; attempt < 10; ++attempt) {
        for (const auto& m : modifierKeys)
            if (modifiers & m[0]) keyDown(m[1]);
        if (!modifiersHeld(modifiers)) continue;
        keyDown(key);
        const bool chordArrived =
            modifiersHeld(modifiers) || !(GetAsyncKeyState(int(key)) & 0x8000);
        keyUp(key);
        if (chordArrived) break;
    }
    for (const auto& m : modifierKeys)
        if (modifiers & m[0]) keyUp(m[1]);
}

void keyDown(UINT key) { sendKey(key, false); }
void keyUp(UINT key) { sendKey(key, true); }
void pressKey(UINT key) {
    keyDown(key);
    keyUp(key);
}

void moveMouse(int x, int y) {
    mouseInputAt(x, y, 0);
    waitUntil(
        [&] {
            POINT cursor;
            return GetCursorPos(&cursor) && cursor.x == x && cursor.y == y;
        },
        1000);
}

void mouseButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void drag(int fromX, int fromY, int toX, int toY, int steps) {
    moveMouse(fromX, fromY);
    // The press and the release carry their own positions, as a mouse's do.
    // Under Wine every move sent from here also moves the X pointer, and
    // the program under it later reports that as a move of its own: late,
    // on a busy machine, it would put the cursor back on an earlier step
    // and the release would land there.
    mouseInputAt(fromX, fromY, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= steps; ++i)
        moveMouse(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    mouseInputAt(toX, toY, MOUSEEVENTF_LEFTUP);
}

void click(int x, int y) {
    moveMouse(x, y);
    mouseInputAt(x, y, MOUSEEVENTF_LEFTDOWN);  // at their own position, as in drag()
    mouseInputAt(x, y, MOUSEEVENTF_LEFTUP);
}

BITMAPINFO topDownBitmapInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool setClipboardText(const std::string& text) {
    ClipboardLock lock;
    if (!lock.isOpen() || !EmptyClipboard()) return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return false;
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (SetClipboardData(CF_TEXT, block)) return true;  // the clipboard owns it now
    GlobalFree(block);
    return false;
}

std::string clipboardText() {
    ClipboardLock lock;
    HANDLE block = lock.isOpen() ? GetClipboardData(CF_TEXT) : nullptr;
    if (!block) return "";
    std::string text(static_cast<const char*>(GlobalLock(block)));
    GlobalUnlock(block);
    return text;
}

bool clipboardHasFormat(UINT format) { return IsClipboardFormatAvailable(format) != 0; }

bool clipboardBitmap(Image& image) {
    ClipboardLock lock;
    // The handle stays the clipboard's: read it, never delete it.
    HBITMAP bitmap = lock.isOpen() ? static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)) : nullptr;
    if (!bitmap) return false;
    image = bitmapPixels(bitmap);
    return image.width > 0;
}

bool setClipboardBitmap(const Image& image) {
    ClipboardLock lock;
    if (!lock.isOpen() || !EmptyClipboard()) return false;
    HBITMAP bitmap = createBitmap(image);
    if (SetClipboardData(CF_BITMAP, bitmap)) return true;  // the clipboard owns it now
    DeleteObject(bitmap);
    return false;
}

std::vector<std::wstring> clipboardFiles() {
    std::vector<std::wstring> names;
    ClipboardLock lock;
    const auto list = static_cast<HDROP>(lock.isOpen() ? GetClipboardData(CF_HDROP) : nullptr);
    if (!list) return names;
    const UINT count = DragQueryFileW(list, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(list, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(list, i, &name[0], UINT(name.size())));
        names.push_back(name);
    }
    return names;
}

namespace {

// The bytes of a block of the open clipboard, the block's whole size.
std::vector<unsigned char> blockBytes(HANDLE block) {
    const LockedMemory memory(block);
    const auto* start = static_cast<const unsigned char*>(memory.data());
    return std::vector<unsigned char>(start, start + memory.size());
}

}  // namespace

DWORD clipboardDropEffect() {
    ClipboardLock lock;
    const UINT format = RegisterClipboardFormatA("Preferred DropEffect");
    const std::vector<unsigned char> bytes =
        blockBytes(lock.isOpen() ? GetClipboardData(format) : nullptr);
    DWORD effect = 0;
    if (bytes.size() >= sizeof effect) std::memcpy(&effect, bytes.data(), sizeof effect);
    return effect;
}

std::vector<unsigned char> clipboardPng() {
    ClipboardLock lock;
    return blockBytes(lock.isOpen() ? GetClipboardData(RegisterClipboardFormatA("PNG")) : nullptr);
}

bool setClipboardPng(const std::vector<unsigned char>& bytes) {
    ClipboardLock lock;
    if (!lock.isOpen() || !EmptyClipboard()) return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (SetClipboardData(RegisterClipboardFormatA("PNG"), block)) return true;  // the clipboard's
    GlobalFree(block);
    return false;
}

HBITMAP createBitmap(const Image& image) {
    const BITMAPINFO info = topDownBitmapInfo(image.width, image.height);
    std::vector<uint32_t> rows;
    for (uint32_t p : image.pixels)  // colour values put red low, a DIB pixel is 0x00RRGGBB
        rows.push_back(uint32_t(GetRValue(p)) << 16 | uint32_t(GetGValue(p)) << 8 | GetBValue(p));
    const WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
    SetDIBits(screen, bitmap, 0, UINT(image.height), rows.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

Image bitmapPixels(HBITMAP bitmap) {
    BITMAP header;
    if (!GetObjectA(bitmap, sizeof header, &header)) return Image();
    return readBitmap(WindowDC(nullptr), bitmap, header.bmWidth, header.bmHeight);
}

Image captureScreen(int x, int y, int width, int height) {
    const WindowDC screen(nullptr);
    const BitmapContext copy(screen, width, height);
    BitBlt(copy.dc(), 0, 0, width, height, screen, x, y, SRCCOPY);
    return readBitmap(copy.dc(), copy.bitmap(), width, height);
}

Image captureScreen() {
    return captureScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void settle(DWORD ms) { Sleep(ms); }

}  // namespace e2e
