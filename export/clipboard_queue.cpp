#include "clipboard_queue.h"

#include "bitmap_on_clipboard.h"
#include "clipboard_file.h"
#include "clipboard_queue_logic.h"
#include "core/snip_state.h"

namespace {

constexpr int ClipboardRetries = 10;
constexpr UINT ClipboardRetryMs = 100;

// Only the message-loop thread touches these.
ClipboardQueue waitingWork;
int triesLeft = 0;  // retries before the waiting work is given up

// (Re)starts the second of retries; SetTimer on a running timer restarts it.
void waitForClipboard() {
    triesLeft = ClipboardRetries;
    SetTimer(snipState.mainWindow, ClipboardRetryTimer, ClipboardRetryMs, nullptr);
}

void addWaitingWork(const ClipboardRequest& request) {
    // Ownership hand-over: a bitmap the list lets go of, replaced or
    // refused, is nobody's but ours to delete.
    if (void* unwanted = waitingWork.add(request)) DeleteObject(unwanted);
    waitForClipboard();
}

ClipboardAttempt run(const ClipboardRequest& request) {
    if (request.kind == ClipboardRequestKind::SaveImage) return saveClipboardImageToTempFile();
    return handBitmapToClipboard(static_cast<HBITMAP>(request.bitmap));
}

// Runs the waiting work in its order until the clipboard turns out to be
// held again.
ClipboardAttempt runWaitingWork() {
    while (!waitingWork.empty()) {
        if (run(waitingWork.oldest()) == ClipboardAttempt::Busy) return ClipboardAttempt::Busy;
        waitingWork.removeOldest();  // its bitmap is the clipboard's now, or deleted
    }
    return ClipboardAttempt::Done;
}

}  // namespace

void requestBitmapCopy(HBITMAP bitmap) {
    if (waitingWork.empty() && handBitmapToClipboard(bitmap) == ClipboardAttempt::Done) return;
    addWaitingWork({ClipboardRequestKind::CopyBitmap, bitmap});
}

void requestFileSave() {
    if (waitingWork.empty() && saveClipboardImageToTempFile() == ClipboardAttempt::Done) return;
    addWaitingWork({ClipboardRequestKind::SaveImage, nullptr});
}

void retryClipboardWork() {
    // Done leaves nothing to abandon: that only stops the timer.
    if (runWaitingWork() == ClipboardAttempt::Done || --triesLeft <= 0) abandonClipboardWork();
}

void abandonClipboardWork() {
    KillTimer(snipState.mainWindow, ClipboardRetryTimer);
    // Nobody else will ever free a bitmap the clipboard never took.
    for (; !waitingWork.empty(); waitingWork.removeOldest())
        if (waitingWork.oldest().bitmap) DeleteObject(waitingWork.oldest().bitmap);
}
