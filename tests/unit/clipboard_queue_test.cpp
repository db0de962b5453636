#include "export/clipboard_queue_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "support/named_rows.h"

namespace {

// A sequence as letters: a digit is a snip's copy of bitmap n, S the file
// hotkey's save, r the run of the oldest request.
struct QueueCase : NamedRow {
    const char* steps;
    const char* waiting;  // the list afterwards, oldest first, in the same letters
    const char* deleted;  // the bitmaps handed back to be deleted, in order
};

// Distinct handles that print as their digits again.
char bitmaps[10];

class ClipboardQueueSteps : public testing::TestWithParam<QueueCase> {};

TEST_P(ClipboardQueueSteps, KeepsTheOrderAndHandsBackWhatNoRequestHolds) {
    ClipboardQueue queue;
    std::string deleted;
    for (const char* step = GetParam().steps; *step; ++step) {
        if (*step == 'r') {
            queue.removeOldest();
            continue;
        }
        const ClipboardRequest request =
            *step == 'S'
                ? ClipboardRequest{ClipboardRequestKind::SaveImage, nullptr}
                : ClipboardRequest{ClipboardRequestKind::CopyBitmap, &bitmaps[*step - '0']};
        if (void* unwanted = queue.add(request))
            deleted += char('0' + (static_cast<char*>(unwanted) - bitmaps));
    }
    std::string waiting;
    for (int i = 0; i < queue.size(); ++i) {
        const ClipboardRequest& request = queue[i];
        if (request.kind == ClipboardRequestKind::SaveImage) {
            EXPECT_EQ(request.bitmap, nullptr);
            waiting += 'S';
        } else {
            waiting += char('0' + (static_cast<char*>(request.bitmap) - bitmaps));
        }
    }
    EXPECT_EQ(waiting, GetParam().waiting);
    EXPECT_EQ(deleted, GetParam().deleted);
    EXPECT_EQ(queue.empty(), waiting.empty());
    if (!waiting.empty()) {
        EXPECT_EQ(&queue.oldest(), &queue[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ClipboardQueueSteps,
    testing::Values(QueueCase{"Nothing", "", "", ""}, QueueCase{"OneSnip", "1", "1", ""},
                    // The two sequences whose order matters: each request runs.
                    QueueCase{"SaveSnipSave", "S1S", "S1S", ""},
                    QueueCase{"SnipSaveSnip", "1S2", "1S2", ""},
                    // Only the newest of snips in a row reaches the clipboard.
                    QueueCase{"SnipsInARow", "123", "3", "12"},
                    QueueCase{"SavesInARow", "SSS", "S", ""},
                    QueueCase{"SnipAfterASaveAfterASnip", "1SS2", "1S2", ""},
                    // Full: a further request of another kind than the last is refused.
                    QueueCase{"FullRefusesASnip", "1S2S3S4S5", "1S2S3S4S", "5"},
                    QueueCase{"FullRefusesASave", "S1S2S3S4S", "S1S2S3S4", ""},
                    QueueCase{"FullStillTakesTheNewestSnip", "S1S2S3S45", "S1S2S3S5", "4"},
                    // A request that ran leaves the list; the rules apply to what is left.
                    QueueCase{"RunThenMore", "1Sr2", "S2", ""},
                    QueueCase{"RunMakesRoom", "1S2S3S4Sr5", "S2S3S4S5", ""},
                    QueueCase{"SaveAfterTheLastRan", "Sr", "", ""},
                    QueueCase{"SaveJoinsTheOneLeft", "1SrS", "S", ""},
                    QueueCase{"RunOnEmptyDoesNothing", "rr1", "1", ""}),
    NamedAfterRow());

}  // namespace
