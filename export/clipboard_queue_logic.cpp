#include "clipboard_queue_logic.h"

void* ClipboardQueue::add(const ClipboardRequest& request) {
    if (count_ > 0 && requests_[count_ - 1].kind == request.kind) {
        ClipboardRequest& last = requests_[count_ - 1];
        void* replaced = last.bitmap;
        last.bitmap = request.bitmap;
        return replaced;
    }
    if (count_ == Capacity) return request.bitmap;
    requests_[count_++] = request;
    return nullptr;
}

void ClipboardQueue::removeOldest() {
    if (count_ == 0) return;
    for (int i = 1; i < count_; ++i) requests_[i - 1] = requests_[i];
    --count_;
}
