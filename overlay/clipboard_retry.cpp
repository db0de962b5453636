#include "clipboard_retry.h"

#include "core/snip_state.h"
#include "export/clipboard_file.h"
#include "selection.h"

namespace {

constexpr int ClipboardRetries = 10;
constexpr UINT ClipboardRetryMs = 100;

bool workWaits() { return snipState.pendingCopy || snipState.pendingFileSave; }

// (Re)starts the second of retries; SetTimer on a running timer restarts it.
void waitForClipboard() {
    snipState.clipboardTriesLeft = ClipboardRetries;
    SetTimer(snipState.mainWindow, ClipboardRetryTimer, ClipboardRetryMs, nullptr);
}

ClipboardAttempt tryWaitingSave() {
    if (saveClipboardImageToTempFile() == ClipboardAttempt::Busy) return ClipboardAttempt::Busy;
    snipState.pendingFileSave = false;
    return ClipboardAttempt::Done;
}

// Runs the waiting work in its order until the clipboard turns out to be
// held again.
ClipboardAttempt tryWaitingWork() {
    if (snipState.pendingFileSave && snipState.pendingSaveFirst &&
        tryWaitingSave() == ClipboardAttempt::Busy)
        return ClipboardAttempt::Busy;
    if (snipState.pendingCopy) {
        if (handBitmapToClipboard(snipState.pendingCopy) == ClipboardAttempt::Busy)
            return ClipboardAttempt::Busy;
        snipState.pendingCopy = nullptr;  // the clipboard's now, or deleted
    }
    if (snipState.pendingFileSave && tryWaitingSave() == ClipboardAttempt::Busy)
        return ClipboardAttempt::Busy;
    return ClipboardAttempt::Done;
}

}  // namespace

void requestBitmapCopy(HBITMAP bitmap) {
    if (snipState.pendingCopy) {
        DeleteObject(snipState.pendingCopy);
        snipState.pendingCopy = bitmap;
        waitForClipboard();
        return;
    }
    // Tried at once only when nothing waits: it must not overtake older work.
    if (!workWaits() && handBitmapToClipboard(bitmap) == ClipboardAttempt::Done) return;
    snipState.pendingSaveFirst = snipState.pendingFileSave;
    snipState.pendingCopy = bitmap;
    waitForClipboard();
}

void requestFileSave() {
    if (!snipState.pendingFileSave) {
        if (!workWaits() && saveClipboardImageToTempFile() == ClipboardAttempt::Done) return;
        snipState.pendingFileSave = true;
        snipState.pendingSaveFirst = false;  // a copy waiting now goes first
    }
    waitForClipboard();
}

void retryClipboardWork() {
    // Done leaves nothing to abandon: that only stops the timer.
    if (tryWaitingWork() == ClipboardAttempt::Done || --snipState.clipboardTriesLeft <= 0)
        abandonClipboardWork();
}

void abandonClipboardWork() {
    KillTimer(snipState.mainWindow, ClipboardRetryTimer);
    // Nobody else will ever free a bitmap the clipboard never took.
    if (snipState.pendingCopy) DeleteObject(snipState.pendingCopy);
    snipState.pendingCopy = nullptr;
    snipState.pendingFileSave = false;
    snipState.pendingSaveFirst = false;
}
