#include "path_on_clipboard.h"

#include <windows.h>

#include <oleidl.h>  // DROPEFFECT_COPY
#include <shlobj.h>  // DROPFILES, CFSTR_PREFERREDDROPEFFECT

#include <cstring>
#include <cwchar>

#include "ansi_path.h"
#include "core/win_holders.h"

namespace {

// A movable block of `bytes` zeroed bytes whose start `fill` writes; null
// when it cannot be had.
template <class Fill>
HGLOBAL makeBlock(size_t bytes, Fill fill) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block) return nullptr;
    const LockedMemory memory(block);
    if (!memory.data()) {
        GlobalFree(block);
        return nullptr;
    }
    fill(static_cast<BYTE*>(memory.data()));
    return block;
}

HGLOBAL copyToBlock(const void* data, size_t bytes) {
    return makeBlock(bytes, [&](BYTE* block) { std::memcpy(block, data, bytes); });
}

// The list of one file: the header, the wide path, and the empty name that
// ends the list (the block is zeroed).
HGLOBAL fileListBlock(const wchar_t* path, size_t pathBytes) {
    return makeBlock(sizeof(DROPFILES) + pathBytes + sizeof(wchar_t), [&](BYTE* block) {
        DROPFILES header = {};
        header.pFiles = sizeof header;  // the names follow the header
        header.fWide = TRUE;
        std::memcpy(block, &header, sizeof header);
        std::memcpy(block + sizeof header, path, pathBytes);
    });
}

struct FormatBlock {
    UINT format;  // 0 when the name could not be registered
    HGLOBAL block;
    bool needed;
};

}  // namespace

void putPathOnClipboard(const wchar_t* path) {
    char ansi[PathCapacity];
    const bool spellable = ansiPath(path, ansi);
    const size_t pathBytes = (std::wcslen(path) + 1) * sizeof(wchar_t);
    const DWORD copy = DROPEFFECT_COPY;
    const FormatBlock blocks[] = {
        {CF_UNICODETEXT, copyToBlock(path, pathBytes), true},
        {CF_TEXT, spellable ? copyToBlock(ansi, sizeof ansi) : nullptr, spellable},
        {CF_HDROP, fileListBlock(path, pathBytes), true},
        {RegisterClipboardFormatA(CFSTR_PREFERREDDROPEFFECT), copyToBlock(&copy, sizeof copy),
         true},
    };
    bool complete = true;
    for (const FormatBlock& block : blocks)
        complete = complete && block.format && (block.block || !block.needed);
    if (!complete) {
        for (const FormatBlock& block : blocks)
            if (block.block) GlobalFree(block.block);
        return;
    }
    EmptyClipboard();  // drops the image; the overlay window becomes the owner
    // Ownership hand-over: a block the clipboard takes is the clipboard's
    // and is never freed here; a refused one is still ours.
    for (const FormatBlock& block : blocks)
        if (block.block && !SetClipboardData(block.format, block.block)) GlobalFree(block.block);
}

void putTextOnClipboard(const char* text) {
    HGLOBAL block = copyToBlock(text, std::strlen(text) + 1);
    if (!block) return;
    EmptyClipboard();
    // Ownership hand-over: the clipboard keeps a block it takes; a refused
    // one is still ours.
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
}
