// The clipboard work that waits while another program holds the clipboard:
// a short list of requests in the order they were asked for. Run in that
// order once the clipboard is free, they leave the files and the clipboard
// exactly as the same requests leave them on a free clipboard.
// Platform-free, so that the rules are unit tested natively and fuzzed.
#pragma once

enum class ClipboardRequestKind { CopyBitmap, SaveImage };

// The snip's copy of `bitmap` (a handle, never null), or the file hotkey's
// save of the clipboard's image (`bitmap` null).
struct ClipboardRequest {
    ClipboardRequestKind kind;
    void* bitmap;
};

// Oldest first. Ownership: a bitmap in the list is the list's holder's until
// its request runs; every bitmap that leaves the list otherwise is returned
// to the caller to be deleted.
class ClipboardQueue {
public:
    // Adjacent requests never share a kind (see add), so this holds four
    // snips, each followed by the file hotkey: more than anyone makes within
    // the second that the clipboard is waited for.
    static constexpr int Capacity = 8;

    bool empty() const { return count_ == 0; }
    int size() const { return count_; }
    const ClipboardRequest& oldest() const { return requests_[0]; }
    const ClipboardRequest& operator[](int index) const { return requests_[index]; }

    // Puts `request` after the waiting ones. Returns the bitmap that no
    // request holds any more, for the caller to delete; null when none.
    // - A copy right after a waiting copy takes its place: on a free
    //   clipboard the newer would replace the older at once.
    // - A save right after a waiting save adds nothing: the first leaves
    //   only the path on the clipboard, so the second would find no image.
    // - With the list full, the request is refused (its own bitmap is
    //   returned), as a try that the clipboard refuses.
    void* add(const ClipboardRequest& request);
    // Forgets the oldest request, which has run: its bitmap is the
    // clipboard's now, or was deleted by the run.
    void removeOldest();

private:
    ClipboardRequest requests_[Capacity] = {};
    int count_ = 0;
};
