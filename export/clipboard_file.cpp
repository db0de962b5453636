#include "clipboard_file.h"

#include <windows.h>

#include "clipboard_alpha.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "image_writer.h"
#include "path_on_clipboard.h"
#include "png_format.h"
#include "png_header_logic.h"
#include "temp_file_name_logic.h"
#include "writable_name.h"

namespace {

// Writes `length` bytes as the whole of the file at `path`; a file that a
// failed write left cut short is removed, so that no broken picture stays.
bool writeWholeFile(const wchar_t* path, const BYTE* bytes, size_t length) {
    bool written;
    {
        const FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.isOpen()) return false;
        written = true;
        // In pieces that a DWORD counts, however large the block.
        for (size_t done = 0; written && done < length;) {
            const DWORD piece = DWORD(length - done < 0x40000000u ? length - done : 0x40000000u);
            DWORD wrote = 0;
            written = WriteFile(file, bytes + done, piece, &wrote, nullptr) && wrote == piece;
            done += piece;
        }
    }
    if (!written) DeleteFileW(path);
    return written;
}

// The open clipboard's "PNG", when it holds no bitmap: a PNG file's bytes
// already (what a Linux program's copied image becomes under Wine), so they
// are written exactly as given, never decoded and encoded again, once their
// header and chunks check out; up to IEND, as the block may be rounded up.
bool writeClipboardPng(const wchar_t* path) {
    // The block stays the clipboard's: it is only read.
    const LockedMemory png(GetClipboardData(pngClipboardFormat()));
    const auto* bytes = static_cast<const BYTE*>(png.data());
    PngExtent extent;
    if (!bytes || !checkPngBlock(bytes, png.size(), &extent)) return false;
    return writeWholeFile(path, bytes, extent.length);
}

// The open clipboard's image written to `path` through the codecs, or its
// "PNG" when it holds no image of another kind; false when nothing was
// written. Its block is locked only while this runs: emptying the clipboard
// afterwards frees it.
bool writeClipboardImage(const wchar_t* path) {
    const UINT original = originalImageFormat();
    if (!original) return writeClipboardPng(path);
    // The clipboard's image stays the clipboard's: it is only read, never
    // deleted or freed.
    const LockedMemory dib(original == CF_DIBV5 ? GetClipboardData(CF_DIBV5) : nullptr);
    const AlphaPixels alpha = clipboardAlphaPixels(dib);
    const BitmapImage image = alpha.topRow
                                  ? BitmapImage(alpha)
                                  : BitmapImage(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
    return saveImageFile(image, path) == S_OK;
}

// Writes the open clipboard's image as the next name of the rotation that
// can be written, its path left in `path`; returns that name's counter, or
// -1 when nothing was written.
int saveImageToNextName(wchar_t* path) {
    // Wide, so that a directory the ANSI code page cannot spell (a user name
    // in another script) still names itself exactly.
    wchar_t directory[PathCapacity];
    const DWORD directoryLength = GetTempPathW(PathCapacity, directory);
    // A directory too long to leave room for the name writes no file at all,
    // rather than a path cut short or a name past the buffer's end. A length
    // of 0 (no temporary directory) leaves the bare name, which the file
    // system resolves against the current directory.
    if (!composeTempFilePath(directory, directoryLength, snipState.tempFileCounter, path))
        return -1;
    // Names that another program holds open, or that are read-only, are
    // passed over for the next ones; the counter then goes on after the name
    // actually written.
    const int counter = chooseTempFileCounter(snipState.tempFileCounter, [&](int candidate) {
        composeTempFilePath(directory, directoryLength, candidate, path);
        return nameCanBeWritten(path);
    });
    if (counter < 0 || !writeClipboardImage(path)) return -1;
    return counter;
}

}  // namespace

ClipboardAttempt saveClipboardImageToTempFile() {
    // Open from reading the image until the path has replaced it, so that
    // nothing another program puts there meanwhile is emptied away unseen.
    const ClipboardScope clipboard(snipState.mainWindow);
    if (!clipboard.isOpen()) return ClipboardAttempt::Busy;
    wchar_t* path = snipState.tempPathBuffer;
    const int counter = saveImageToNextName(path);
    if (counter < 0) return ClipboardAttempt::Done;
    snipState.tempFileCounter = nextTempFileCounter(counter);
    // The image's lock has ended: this empties the clipboard, which frees
    // the image's block.
    putPathOnClipboard(path);
    return ClipboardAttempt::Done;
}
