#include "clipboard_file.h"

#include <windows.h>

#include <cstring>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "image_writer.h"
#include "temp_file_name.h"

static_assert(sizeof snipState.tempPathBuffer == TempPathCapacity, "one buffer size for paths");

namespace {

// Replaces the open clipboard's contents with the path, as CF_TEXT in a
// block of the whole path buffer. When no block can be had, the clipboard
// keeps its bitmap: the file exists all the same.
void putPathOnClipboard() {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof snipState.tempPathBuffer);
    if (!block) return;
    void* text = GlobalLock(block);
    if (!text) {
        GlobalFree(block);
        return;
    }
    std::memcpy(text, snipState.tempPathBuffer, sizeof snipState.tempPathBuffer);
    GlobalUnlock(block);
    EmptyClipboard();  // drops the bitmap; the overlay window becomes the owner
    // Once taken, the block is the clipboard's and must never be freed here;
    // a refused block is still ours.
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
}

}  // namespace

void saveClipboardImageToTempFile() {
    // Open from reading the bitmap until the path has replaced it, so that
    // nothing another program puts there meanwhile is emptied away unseen.
    const ClipboardScope clipboard(snipState.mainWindow);
    // The clipboard's bitmap (null when it holds none) stays the
    // clipboard's: it is only read, never deleted.
    const BitmapImage image(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));

    char directory[MAX_PATH];
    const DWORD directoryLength = GetTempPathA(MAX_PATH, directory);
    // A directory too long to leave room for the name writes no file at all,
    // rather than a path cut short or a name past the buffer's end. A length
    // of 0 (no temporary directory) leaves the bare name, which the file
    // system resolves against the current directory.
    if (!composeTempFilePath(directory, directoryLength, snipState.tempFileCounter,
                             snipState.tempPathBuffer))
        return;
    if (saveImageFile(image, snipState.tempPathBuffer) != S_OK) return;
    snipState.tempFileCounter = nextTempFileCounter(snipState.tempFileCounter);
    putPathOnClipboard();
}
