#include "temp_file_name.h"

#include <climits>
#include <cstring>

namespace {

constexpr char NamePattern[] = "tmpimg00.png";
constexpr size_t NameLength = sizeof NamePattern - 1;
constexpr int NameCount = 100;

}  // namespace

bool composeTempFilePath(const char* directory, size_t directoryLength, int counter, char* out) {
    if (directoryLength > TempPathCapacity - NameLength - 1) return false;
    const int number = counter % NameCount;
    std::memmove(out, directory, directoryLength);
    char* name = out + directoryLength;
    std::memcpy(name, NamePattern, sizeof NamePattern);
    name[6] = char('0' + number / 10);
    name[7] = char('0' + number % 10);
    return true;
}

int nextTempFileCounter(int counter) {
    if (counter < INT_MAX) return counter + 1;
    return INT_MAX % NameCount + 1;
}
