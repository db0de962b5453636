// The clipboard format that carries a PNG file's bytes.
#pragma once

#include <windows.h>

// Registered by name, as programs on Windows offer a PNG, and as Wine's
// bridge to the X clipboard turns it into image/png and back.
inline UINT pngClipboardFormat() { return RegisterClipboardFormatA("PNG"); }
