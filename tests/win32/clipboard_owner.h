// A hidden window of the test process standing in for the overlay, which
// owns the clipboard while the file hotkey's work writes it. The snip state
// starts and ends each case cleared.
#pragma once

#include <windows.h>

#include "core/snip_state.h"

class ClipboardOwnerWindow {
public:
    ClipboardOwnerWindow() {
        snipState = SnipState{};
        snipState.mainWindow = CreateWindowExA(0, "STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr,
                                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~ClipboardOwnerWindow() {
        DestroyWindow(snipState.mainWindow);
        snipState = SnipState{};
    }
    ClipboardOwnerWindow(const ClipboardOwnerWindow&) = delete;
    ClipboardOwnerWindow& operator=(const ClipboardOwnerWindow&) = delete;

    bool created() const { return snipState.mainWindow != nullptr; }
};
