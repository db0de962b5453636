#include "hotkey_cycle.h"

#include "driver.h"

namespace bench {

const char* describe(CycleLoss loss) {
    static const char* const descriptions[CycleLossKinds] = {
        "came back",
        "no overlay after the selection hotkey",
        "overlay still shown after the release",
        "no bitmap on the clipboard after the snip",
        "no path on the clipboard after the file hotkey",
        "another text than the expected path",
    };
    return descriptions[int(loss)];
}

CycleLoss snipAndSaveByHotkeys(HWND overlay, const std::string& expectedPath) {
    const auto shown = [&] { return IsWindowVisible(overlay) != 0; };
    const auto hidden = [&] { return !IsWindowVisible(overlay); };
    // Polled every millisecond: the benchmark's figures are in milliseconds.
    e2e::pressHotkey(MOD_CONTROL | MOD_ALT, 'S');
    if (!waitUntil(shown, 5000, 1)) return CycleLoss::OverlayNotShown;
    // Returns once the hotkey's handler, the whole freeze, has ended.
    SendMessageTimeoutA(overlay, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    e2e::drag(100, 100, 500, 400, 2);
    if (!waitUntil(hidden, 2000, 1)) {
        PostMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        waitUntil(hidden, 5000, 1);
        return CycleLoss::OverlayNotHidden;
    }
    // The program may still be waiting for the clipboard: up to a second.
    if (!waitUntil([] { return e2e::clipboardHasFormat(CF_BITMAP); }, 3000, 1))
        return CycleLoss::NoSnip;
    e2e::pressHotkey(MOD_CONTROL | MOD_ALT, 'F');
    if (!waitUntil([] { return e2e::clipboardHasFormat(CF_TEXT); }, 3000, 1))
        return CycleLoss::NoPath;
    return e2e::clipboardText() == expectedPath ? CycleLoss::None : CycleLoss::WrongPath;
}

}  // namespace bench
