#include "startup.h"

#include "core/error_message.h"
#include "core/hotkey_registration.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "overlay/brush.h"
#include "overlay/magnifier.h"
#include "overlay/overlay_window.h"
#include "overlay/picture.h"
#include "res/resource.h"
#include "setup/setup_dialog.h"

namespace {

constexpr int ExitWindowClassFailed = -2;
constexpr int ExitWindowFailed = -3;
constexpr int ExitHotkeysFailed = -4;

bool registerOverlayClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    // No class cursor: the cursor over the overlay is whatever the overlay
    // last set. No background brush: erasing must never paint over the
    // frozen picture.
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = overlayWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_GRABNIK));
    // Exactly this text, as the class name: other programs look for it.
    windowClass.lpszMenuName = "MainMenu";
    windowClass.lpszClassName = OverlayClassName;
    return RegisterClassA(&windowClass) != 0;
}

void loadCursors(HINSTANCE instance) {
    snipState.brushCursor = loadBrushCursor(instance);
    snipState.crossCursor = LoadCursorA(nullptr, IDC_CROSS);
    // SetCursor is the only way to learn the current cursor; put it straight
    // back so that start-up leaves the pointer as it found it.
    snipState.previousCursor = SetCursor(snipState.crossCursor);
    SetCursor(snipState.previousCursor);
}

// Everything before the message loop; 0 when the loop may run, otherwise
// the exit code.
int startUp(HINSTANCE instance, const HotkeyPair& hotkeys) {
    if (!registerOverlayClass(instance)) return ExitWindowClassFailed;

    // Released on every way out, the early exits included.
    const WindowDC screen(nullptr);
    snipState.screenWidth = GetDeviceCaps(screen, HORZRES);
    snipState.screenHeight = GetDeviceCaps(screen, VERTRES);

    snipState.mainWindow = CreateWindowExA(
        WS_EX_TOOLWINDOW | WS_EX_TOPMOST, OverlayClassName, nullptr, WS_POPUP, 0, 0,
        snipState.screenWidth, snipState.screenHeight, nullptr, nullptr, instance, nullptr);
    if (!snipState.mainWindow) return ExitWindowFailed;
    ShowWindow(snipState.mainWindow, SW_HIDE);

    // Before the hotkeys and the setup dialog: the overlay's activation
    // handling sets these cursors, and a null one would hide the pointer
    // while the dialog is open.
    loadCursors(instance);

    if (hotkeys.selection && hotkeys.file) {
        if (!registerHotkey(SelectionHotkey, hotkeys.selection) ||
            !registerHotkey(FileHotkey, hotkeys.file)) {
            showErrorMessage("Failed to register the specified hotkey");
            return ExitHotkeysFailed;
        }
    } else if (!runHotkeySetupDialog(instance)) {
        showErrorMessage("Failed to register hot keys. Press OK to exit");
        return ExitHotkeysFailed;
    }

    // Never shown before the first freeze fills it; made here so that the
    // brush and the paint always have a picture to work on.
    preparePicture(screen, snipState.screenWidth, snipState.screenHeight);
    return 0;
}

}  // namespace

int runGrabnik(HINSTANCE instance, const char* argumentText) {
    // Before start-up: a setup run from there writes the option into the
    // launcher shortcut.
    snipState.startOptions = findStartOptions(argumentText);
    startMagnifier(snipState.startOptions.magnifier);
    const int startFailure = startUp(instance, findHotkeyCodes(argumentText));
    if (startFailure != 0) return startFailure;

    // From here on the hotkeys are answered: not while a start-up box or the
    // setup dialog runs its own loop, when a freeze would cover the box and
    // race start-up for the picture.
    snipState.running = true;
    MSG message = {};
    // Should the very first retrieval fail, no message carries an exit code:
    // report the failure rather than a clean 0.
    message.wParam = WPARAM(-1);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    unregisterHotkeys();
    deletePicture();
    return int(message.wParam);
}
