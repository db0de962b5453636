#include "hotkey_cycle.h"

#include "driver.h"
#include "stats.h"

namespace bench {

namespace {

bool isShown(HWND window) { return IsWindowVisible(window) != 0; }
bool isHidden(HWND window) { return !IsWindowVisible(window); }
bool hasBitmap(HWND) { return e2e::clipboardHasFormat(CF_BITMAP); }
bool hasText(HWND) { return e2e::clipboardHasFormat(CF_TEXT); }

}  // namespace

const char* describe(CycleLoss loss) {
    switch (loss) {
    case CycleLoss::None:
        return "came back";
    case CycleLoss::OverlayNotShown:
        return "no overlay after the selection hotkey";
    case CycleLoss::OverlayNotHidden:
        return "overlay still shown after the release";
    case CycleLoss::NoSnip:
        return "no bitmap on the clipboard after the snip";
    case CycleLoss::NoPath:
        return "no path on the clipboard after the file hotkey";
    case CycleLoss::WrongPath:
        return "another text than the expected path";
    }
    return "?";
}

bool spinUntil(bool (*condition)(HWND), HWND window, double timeoutMs) {
    const double start = nowMs();
    while (!condition(window)) {
        if (nowMs() - start > timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

CycleLoss snipAndSaveByHotkeys(HWND overlay, const std::string& expectedPath) {
    e2e::pressHotkey(MOD_CONTROL | MOD_ALT, 'S');
    if (!spinUntil(isShown, overlay)) return CycleLoss::OverlayNotShown;
    // Returns once the hotkey's handler, the whole freeze, has ended.
    SendMessageTimeoutA(overlay, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    e2e::drag(100, 100, 500, 400, 2);
    if (!spinUntil(isHidden, overlay, 2000)) {
        PostMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        spinUntil(isHidden, overlay);
        return CycleLoss::OverlayNotHidden;
    }
    // The program may still be waiting for the clipboard: up to a second.
    if (!spinUntil(hasBitmap, overlay, 3000)) return CycleLoss::NoSnip;
    e2e::pressHotkey(MOD_CONTROL | MOD_ALT, 'F');
    if (!spinUntil(hasText, overlay, 3000)) return CycleLoss::NoPath;
    return e2e::clipboardText() == expectedPath ? CycleLoss::None : CycleLoss::WrongPath;
}

}  // namespace bench
