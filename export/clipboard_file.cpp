#include "clipboard_file.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "dib_layout.h"
#include "image_writer.h"
#include "temp_file_name.h"

static_assert(sizeof snipState.tempPathBuffer / sizeof(wchar_t) == TempPathCapacity,
              "one buffer size for paths");

namespace {

// Bytes of the CF_TEXT block: the whole ANSI path buffer, as always.
constexpr size_t AnsiPathBytes = TempPathCapacity;

// The image format another program put on the clipboard itself: the
// platform lists the formats it synthesizes after the ones it was given.
UINT originalImageFormat() {
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        if (format == CF_BITMAP || format == CF_DIB || format == CF_DIBV5) return format;
    return 0;
}

DibHeaderFields headerFields(const BITMAPV5HEADER& header) {
    return {header.bV5Size,     header.bV5Width,       header.bV5Height,  header.bV5Planes,
            header.bV5BitCount, header.bV5Compression, header.bV5RedMask, header.bV5GreenMask,
            header.bV5BlueMask, header.bV5AlphaMask,   header.bV5ClrUsed};
}

// A 32-bit image whose alpha bytes are all 0 means no alpha at all: many
// programs leave that byte unused.
bool anyAlpha(const AlphaPixels& pixels) {
    for (int y = 0; y < pixels.height; ++y) {
        const BYTE* row = pixels.topRow + ptrdiff_t(y) * pixels.stride;
        for (int x = 0; x < pixels.width; ++x)
            if (row[x * 4 + 3]) return true;
    }
    return false;
}

// The pixels of a CF_DIBV5 with alpha that another program put on the open
// clipboard, when the block locked in `block` holds one; else a null top
// row.
//
// Why not CF_BITMAP alone: the platform synthesizes it from any DIB another
// program puts there, and measured under Wine that keeps 24-bit, 8-bit
// palette and 1x1 DIBs pixel for pixel, so those go through CF_BITMAP as a
// snip does. But a bitmap has no alpha: a DIBV5 with straight alpha would be
// saved opaque, with whatever colour its transparent pixels happen to hold.
AlphaPixels clipboardAlphaPixels(const LockedMemory& block) {
    const AlphaPixels none = {0, 0, 0, nullptr};
    const auto* bytes = static_cast<const BYTE*>(block.data());
    if (!bytes || block.size() < sizeof(BITMAPV5HEADER)) return none;
    BITMAPV5HEADER header;
    std::memcpy(&header, bytes, sizeof header);  // the block need not be aligned for it
    AlphaPixelRows rows;
    if (!locateAlphaPixels(headerFields(header), block.size(), &rows)) return none;
    const AlphaPixels pixels = {rows.width, rows.height, rows.stride, bytes + rows.topRowOffset};
    return anyAlpha(pixels) ? pixels : none;
}

// True when the name may be written: it does not exist yet, or it is
// neither marked read-only nor held open by another program without write
// sharing. The read-only mark is checked here rather than left to the
// codecs: a process with the rights to ignore it (as root under Wine) would
// otherwise overwrite the file. A failed open for any other reason (a
// missing directory, say) is not the name's fault: the save will meet it.
bool nameCanBeWritten(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // Opens only a file that exists, and changes nothing in it.
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    const DWORD error = GetLastError();
    return error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
           error != ERROR_ACCESS_DENIED;
}

// The path in the ANSI code page, as CF_TEXT carries it; false when that
// code page cannot spell it exactly (or it does not fit the 260 bytes): the
// ANSI text would name another file or none. Exactly what the ANSI
// functions would have given, whenever they could give it.
bool ansiPath(const wchar_t* path, char (&ansi)[AnsiPathBytes]) {
    std::memset(ansi, 0, sizeof ansi);
    if (!WideCharToMultiByte(CP_ACP, 0, path, -1, ansi, sizeof ansi, nullptr, nullptr))
        return false;
    wchar_t back[TempPathCapacity];
    return MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, TempPathCapacity) &&
           std::wcscmp(back, path) == 0;
}

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

// Replaces the open clipboard's contents with the path: exactly, as
// CF_UNICODETEXT; and as CF_TEXT in a block of 260 bytes whenever the ANSI
// code page can spell it, so that programs reading CF_TEXT get the text
// they always got. When the blocks cannot be had, the clipboard keeps its
// bitmap: the file exists all the same.
void putPathOnClipboard() {
    const wchar_t* path = snipState.tempPathBuffer;
    char ansi[AnsiPathBytes];
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

}  // namespace

ClipboardAttempt saveClipboardImageToTempFile() {
    // Open from reading the image until the path has replaced it, so that
    // nothing another program puts there meanwhile is emptied away unseen.
    const ClipboardScope clipboard(snipState.mainWindow);
    if (!clipboard.isOpen()) return ClipboardAttempt::Busy;
    // The clipboard's image (null handles when it holds none) stays the
    // clipboard's: it is only read, never deleted or freed.
    const LockedMemory dib(originalImageFormat() == CF_DIBV5 ? GetClipboardData(CF_DIBV5)
                                                             : nullptr);
    const AlphaPixels alpha = clipboardAlphaPixels(dib);
    const BitmapImage image = alpha.topRow
                                  ? BitmapImage(alpha)
                                  : BitmapImage(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));

    // Wide, so that a directory the ANSI code page cannot spell (a user name
    // in another script) still names itself exactly.
    wchar_t directory[MAX_PATH];
    const DWORD directoryLength = GetTempPathW(MAX_PATH, directory);
    // A directory too long to leave room for the name writes no file at all,
    // rather than a path cut short or a name past the buffer's end. A length
    // of 0 (no temporary directory) leaves the bare name, which the file
    // system resolves against the current directory.
    wchar_t* path = snipState.tempPathBuffer;
    if (!composeTempFilePath(directory, directoryLength, snipState.tempFileCounter, path))
        return ClipboardAttempt::Done;
    // Names that another program holds open, or that are read-only, are
    // passed over for the next ones; the counter then goes on after the name
    // actually written.
    const int counter = chooseTempFileCounter(snipState.tempFileCounter, [&](int candidate) {
        composeTempFilePath(directory, directoryLength, candidate, path);
        return nameCanBeWritten(path);
    });
    if (counter < 0 || saveImageFile(image, path) != S_OK) return ClipboardAttempt::Done;
    snipState.tempFileCounter = nextTempFileCounter(counter);
    putPathOnClipboard();
    return ClipboardAttempt::Done;
}
