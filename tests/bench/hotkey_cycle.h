// One snip and one save of the real program, driven by its hotkeys and the
// mouse as a user would: the round trip that the benchmark and the soak
// repeat.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Where a round trip got lost, if it did.
enum class CycleLoss {
    None,
    OverlayNotShown,   // the selection hotkey showed no overlay
    OverlayNotHidden,  // the drag's release did not end the snip
    NoSnip,            // the overlay hid, but no bitmap reached the clipboard
    NoPath,            // the file hotkey put no text on the clipboard
    WrongPath,         // it put another text there than `expectedPath`
};
constexpr int CycleLossKinds = 6;
const char* describe(CycleLoss loss);

// Snips (100, 100)-(500, 400) by the selection hotkey and a drag, then
// presses the file hotkey, and checks that `expectedPath` came back as the
// clipboard's text. Waits on the clipboard only with calls that do not open
// it, so that the driver itself never holds it against the program.
CycleLoss snipAndSaveByHotkeys(HWND overlay, const std::string& expectedPath);

}  // namespace bench
