// The clipboard queue under any sequence of requests and runs: it never
// holds more than its capacity, no two neighbours share a kind, the snips
// wait in the order they were made, and every bitmap handed in is accounted
// for exactly once: waiting, run, or handed back to be deleted.
#include "export/clipboard_queue_logic.h"
#include "fuzz_check.h"

#include <cstdint>
#include <vector>

namespace {

// What became of each bitmap, by the order it was made in.
enum class Fate : uint8_t { Unknown, Waiting, Ran, Deleted };

void settle(std::vector<Fate>& fates, std::vector<char>& bitmaps, void* bitmap, Fate fate) {
    if (!bitmap) return;
    const auto index = size_t(static_cast<char*>(bitmap) - bitmaps.data());
    FUZZ_REQUIRE(index < fates.size());
    FUZZ_REQUIRE(fates[index] == Fate::Waiting);  // never run or deleted twice
    fates[index] = fate;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // As in the unit table: S a save, r the run of the oldest, any other
    // byte a snip with a bitmap of its own.
    std::vector<char> bitmaps(size);  // distinct addresses for the handles
    std::vector<Fate> fates(size, Fate::Unknown);
    ClipboardQueue queue;
    size_t made = 0;
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] == 'r') {
            if (!queue.empty()) settle(fates, bitmaps, queue.oldest().bitmap, Fate::Ran);
            queue.removeOldest();
        } else if (bytes[i] == 'S') {
            FUZZ_REQUIRE(queue.add({ClipboardRequestKind::SaveImage, nullptr}) == nullptr);
        } else {
            fates[made] = Fate::Waiting;
            void* unwanted = queue.add({ClipboardRequestKind::CopyBitmap, &bitmaps[made++]});
            settle(fates, bitmaps, unwanted, Fate::Deleted);
        }

        FUZZ_REQUIRE(queue.size() >= 0 && queue.size() <= ClipboardQueue::Capacity);
        FUZZ_REQUIRE(queue.empty() == (queue.size() == 0));
        const char* previousSnip = nullptr;
        for (int j = 0; j < queue.size(); ++j) {
            const ClipboardRequest& request = queue[j];
            if (j > 0) FUZZ_REQUIRE(request.kind != queue[j - 1].kind);
            if (request.kind == ClipboardRequestKind::SaveImage) {
                FUZZ_REQUIRE(request.bitmap == nullptr);
                continue;
            }
            const char* snip = static_cast<const char*>(request.bitmap);
            FUZZ_REQUIRE(snip >= bitmaps.data() && snip < bitmaps.data() + made);
            FUZZ_REQUIRE(fates[size_t(snip - bitmaps.data())] == Fate::Waiting);
            FUZZ_REQUIRE(previousSnip < snip);
            previousSnip = snip;
        }
    }

    // Whatever is still waiting is in the list, each exactly once.
    size_t waiting = 0;
    for (size_t k = 0; k < made; ++k) waiting += fates[k] == Fate::Waiting;
    size_t listed = 0;
    for (int j = 0; j < queue.size(); ++j) listed += queue[j].bitmap != nullptr;
    FUZZ_REQUIRE(waiting == listed);
    return 0;
}
