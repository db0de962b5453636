// Another program's hold on the clipboard, from a thread of this process
// (to any other process it is another program): open from construction
// until letGo() or the end.
#pragma once

#include <windows.h>

namespace e2e {

class ClipboardHolder {
public:
    ClipboardHolder();
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool holds() const { return held_; }
    void letGo();

private:
    static DWORD WINAPI hold(void* self);

    HANDLE opened_;
    HANDLE release_;
    HANDLE thread_;
    bool held_ = false;  // written by the thread before it signals opened_
};

}  // namespace e2e
