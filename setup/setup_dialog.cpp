#include "setup_dialog.h"

#include "core/error_message.h"
#include "core/hotkey_registration.h"
#include "launcher_shortcut.h"
#include "res/resource.h"

namespace {

// The controls that make up one hotkey.
struct HotkeyControls {
    int control, alt, shift, win, keyList;
};

constexpr HotkeyControls SelectionControls = {IDC_SEL_CONTROL, IDC_SEL_ALT, IDC_SEL_SHIFT,
                                              IDC_SEL_WIN, IDC_SEL_KEY};
constexpr HotkeyControls FileControls = {IDC_FILE_CONTROL, IDC_FILE_ALT, IDC_FILE_SHIFT,
                                         IDC_FILE_WIN, IDC_FILE_KEY};

// Set is running: its message boxes have no owner, so the dialog can be
// clicked again while one is shown.
constexpr LONG_PTR SetRunning = 1;

void fillKeyLists(HWND dialog) {
    // Characters whose codes are also the virtual-key codes of their keys.
    for (const char* key = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"; *key; ++key) {
        const char text[2] = {*key, '\0'};
        SendDlgItemMessageA(dialog, IDC_SEL_KEY, CB_ADDSTRING, 0, LPARAM(text));
        SendDlgItemMessageA(dialog, IDC_FILE_KEY, CB_ADDSTRING, 0, LPARAM(text));
    }
}

bool isTicked(HWND dialog, int box) {
    return SendMessageA(GetDlgItem(dialog, box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HotkeyCode readChoice(HWND dialog, const HotkeyControls& controls) {
    unsigned modifiers = 0;
    if (isTicked(dialog, controls.control)) modifiers |= HotkeyModControl;
    if (isTicked(dialog, controls.alt)) modifiers |= HotkeyModAlt;
    if (isTicked(dialog, controls.shift)) modifiers |= HotkeyModShift;
    if (isTicked(dialog, controls.win)) modifiers |= HotkeyModWin;

    HWND keyList = GetDlgItem(dialog, controls.keyList);
    const LRESULT index = SendMessageA(keyList, CB_GETCURSEL, 0, 0);
    // Our items are one character. An item that does not fit (another
    // program may add one) is no key and is never fetched; with no
    // selection the length is CB_ERR.
    char text[2] = {};
    const LRESULT length = SendMessageA(keyList, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length >= 0 && length < LRESULT(sizeof text))
        SendMessageA(keyList, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
    return makeHotkeyCode(modifiers, static_cast<unsigned char>(text[0]));
}

// False, after telling the user, when the choice is incomplete or refused.
bool registerChoice(int id, HotkeyCode choice, const char* failureText) {
    if (isCompleteHotkey(choice) && registerHotkey(id, choice)) return true;
    showErrorMessage(failureText);
    return false;
}

void onSet(HWND dialog) {
    if (GetWindowLongPtrA(dialog, DWLP_USER) == SetRunning) return;
    SetWindowLongPtrA(dialog, DWLP_USER, SetRunning);

    const HotkeyPair chosen = {readChoice(dialog, SelectionControls),
                               readChoice(dialog, FileControls)};
    // Both are tried, so that one attempt reports every bad choice.
    const bool selectionSet = registerChoice(
        SelectionHotkey, chosen.selection,
        "Failed to register the screen selection hotkey.\nPlease choose another key combination.");
    const bool fileSet = registerChoice(
        FileHotkey, chosen.file,
        "Failed to register the screen-to-file hotkey.\nPlease choose another key combination.");

    if (selectionSet && fileSet) {
        writeLauncherShortcut(chosen);
        EndDialog(dialog, 1);
    } else {
        // Nothing of a failed attempt stays registered; the user's choices
        // stay in the controls for the next try.
        unregisterHotkeys();
    }
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

INT_PTR CALLBACK hotkeySetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        fillKeyLists(dialog);
        return TRUE;  // focus goes to the first tab stop, Set
    case WM_COMMAND:
        // Only Set: IDCANCEL, which Escape sends, leaves the dialog open.
        if (LOWORD(wParam) != IDOK) return FALSE;
        onSet(dialog);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool runHotkeySetupDialog(HINSTANCE instance) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_HOTKEY_SETUP), nullptr,
                           hotkeySetupDialogProc, 0) > 0;
}
