#include "running_companion.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr const char* CompanionName = "grabnik-companion";

// One file for each user and display: a desktop runs one Grabnik.
std::string recordPath() {
    const char* display = std::getenv("DISPLAY");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path = runtime && *runtime ? std::string(runtime) + "/grabnik-companion"
                                           : "/tmp/grabnik-companion-" + std::to_string(getuid());
    return path + (display ? display : "") + ".pid";
}

// The recorded process, provided it still is a companion: the process
// number of one that crashed may since belong to anything.
pid_t recordedCompanion() {
    long pid = 0;
    std::ifstream(recordPath()) >> pid;
    if (pid <= 0) return 0;
    std::string command;
    std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/cmdline"), command, '\0');
    const size_t slash = command.rfind('/');
    const std::string name = slash == std::string::npos ? command : command.substr(slash + 1);
    return name == CompanionName ? pid_t(pid) : 0;
}

}  // namespace

void recordRunningCompanion() { std::ofstream(recordPath()) << getpid() << '\n'; }

void forgetRunningCompanion() {
    if (recordedCompanion() == getpid()) std::remove(recordPath().c_str());
}

int pressInRunningCompanion(const char* which) {
    const int signal = std::strcmp(which, "selection") == 0 ? PressSelectionSignal
                       : std::strcmp(which, "file") == 0    ? PressFileSignal
                                                            : 0;
    if (signal == 0) {
        std::fprintf(stderr, "usage: grabnik-companion --press selection|file\n");
        return 2;
    }
    const pid_t companion = recordedCompanion();
    if (companion == 0 || kill(companion, signal) != 0) {
        std::fprintf(stderr, "Grabnik is not running on this display.\n");
        return 1;
    }
    return 0;
}
