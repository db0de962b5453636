#include "setup_dialog.h"

#include "res/resource.h"

namespace {

INT_PTR CALLBACK hotkeySetupDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;  // focus goes to the first tab stop
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
