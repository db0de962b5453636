#include "path_on_clipboard.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "ansi_path.h"
#include "core/win_holders.h"

namespace {

HGLOBAL copyToBlock(const void* data, size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    const LockedMemory memory(block);
    if (!memory.data()) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(memory.data(), data, bytes);
    return block;
}

// Hands a block to the open clipboard. Once taken, it is the clipboard's
// and must never be freed here; a refused block is still ours.
void handTextToClipboard(UINT format, HGLOBAL block) {
    if (block && !SetClipboardData(format, block)) GlobalFree(block);
}

}  // namespace

void putPathOnClipboard(const wchar_t* path) {
    char ansi[PathCapacity];
    const bool spellable = ansiPath(path, ansi);
    HGLOBAL wide = copyToBlock(path, (std::wcslen(path) + 1) * sizeof(wchar_t));
    HGLOBAL narrow = spellable ? copyToBlock(ansi, sizeof ansi) : nullptr;
    if (!wide || (spellable && !narrow)) {
        if (wide) GlobalFree(wide);
        if (narrow) GlobalFree(narrow);
        return;
    }
    EmptyClipboard();  // drops the image; the overlay window becomes the owner
    handTextToClipboard(CF_UNICODETEXT, wide);
    handTextToClipboard(CF_TEXT, narrow);
}

void putTextOnClipboard(const char* text) {
    HGLOBAL block = copyToBlock(text, std::strlen(text) + 1);
    if (!block) return;
    EmptyClipboard();
    handTextToClipboard(CF_TEXT, block);
}
