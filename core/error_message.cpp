#include "error_message.h"

#include <windows.h>

void showErrorMessage(const char* text) {
    MessageBoxA(nullptr, text, "Error", MB_TOPMOST | MB_ICONERROR);
}
