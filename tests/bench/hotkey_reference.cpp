// The reference for start-up time: the least a Win32 program can do to own
// a global hotkey, then exit.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const BOOL registered = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Q');
    UnregisterHotKey(nullptr, 1);
    return registered ? 0 : 1;
}
