#include "writable_name.h"

#include <windows.h>

#include "core/win_holders.h"

bool nameCanBeWritten(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // Opens only a file that exists, and changes nothing in it.
    const FileHandle file(CreateFileW(path, GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.isOpen()) return true;
    const DWORD error = GetLastError();
    return error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
           error != ERROR_ACCESS_DENIED;
}
