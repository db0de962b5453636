#include "ansi_path.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

bool ansiPath(const wchar_t* path, char (&ansi)[PathCapacity]) {
    std::memset(ansi, 0, sizeof ansi);
    if (!WideCharToMultiByte(CP_ACP, 0, path, -1, ansi, sizeof ansi, nullptr, nullptr))
        return false;
    wchar_t back[PathCapacity];
    return MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, PathCapacity) &&
           std::wcscmp(back, path) == 0;
}
