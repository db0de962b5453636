#include "clipboard_file.h"

#include <windows.h>

#include "clipboard_alpha.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "image_writer.h"
#include "path_on_clipboard.h"
#include "temp_file_name_logic.h"
#include "writable_name.h"

namespace {

// Writes the open clipboard's image as the next name of the rotation that
// can be written, its path left in `path`; returns that name's counter, or
// -1 when nothing was written. The image's block is locked only while this
// runs: emptying the clipboard afterwards frees it.
int saveImageToNextName(wchar_t* path) {
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
    if (counter < 0 || saveImageFile(image, path) != S_OK) return -1;
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
