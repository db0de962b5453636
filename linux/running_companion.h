// The companion running on a display: one per display, and how a command
// finds it to have it press a hotkey (on Wayland desktops, where no X
// program can grab keys, the desktop's own shortcut settings run
// `scripts/press.sh selection|file`).
//
// Its record is a file in the user's private folder that the companion
// holds a lock on while it runs: the lock names its process, and ends with
// it, however it ends.
#pragma once

#include <signal.h>

#include <string>

// The signals that ask the companion to press the selection or file hotkey.
constexpr int PressSelectionSignal = SIGUSR1;
constexpr int PressFileSignal = SIGUSR2;

class CompanionRecord {
public:
    CompanionRecord() = default;
    // Removes the record, if taken, then gives the lock back.
    ~CompanionRecord();
    CompanionRecord(const CompanionRecord&) = delete;
    CompanionRecord& operator=(const CompanionRecord&) = delete;

    // Takes this display's record for this process. False, said on stderr,
    // while another companion runs on the display, or when the record's
    // folder or file is not the user's own.
    bool take();

private:
    int fd_ = -1;
    std::string path_;
};

// `grabnik-companion --press selection|file`: the exit code.
int pressInRunningCompanion(const char* which);
