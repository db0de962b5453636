#include "clipboard_holder.h"

#include "support/clock.h"

namespace e2e {

namespace {

// Waits for the object while answering this thread's messages: the holder's
// clipboard calls may need an answer from a clipboard window of this thread.
void waitAnswering(HANDLE object) {
    waitUntil([&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
    });
}

}  // namespace

ClipboardHolder::ClipboardHolder()
    : opened_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, hold, this, 0, nullptr)) {
    waitAnswering(opened_);
}

ClipboardHolder::~ClipboardHolder() {
    letGo();
    CloseHandle(thread_);
    CloseHandle(release_);
    CloseHandle(opened_);
}

void ClipboardHolder::letGo() {
    SetEvent(release_);
    waitAnswering(thread_);
}

DWORD WINAPI ClipboardHolder::hold(void* self) {
    auto& holder = *static_cast<ClipboardHolder*>(self);
    holder.held_ = waitUntil([] { return OpenClipboard(nullptr) != 0; });
    SetEvent(holder.opened_);
    WaitForSingleObject(holder.release_, 20000);
    if (holder.held_) CloseClipboard();
    return 0;
}

}  // namespace e2e
