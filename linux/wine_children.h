// The two Windows programs the companion runs in the Wine session: Grabnik
// itself and the bridge that presses hotkeys inside the session.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct WineChild {
    pid_t pid;    // -1 when it could not be started, or once reaped
    int inputFd;  // the write end of its standard input, or -1
};

// Starts `wine folder/program arguments...` ($WINELOADER in place of wine
// when set) with the default signal handling and mask (the companion blocks
// the ones it reads), its standard input a pipe when `withInput`. Reports a
// failure on stderr.
WineChild startWineProgram(const std::string& folder, const char* program,
                           const std::vector<std::string>& arguments, bool withInput);

// Collects the program's exit status as a shell reports it, and closes its
// input: false while it still runs. With `wait`, closes the input first and
// waits for the end.
bool reapWineProgram(WineChild& child, bool wait, int& exitStatus);
