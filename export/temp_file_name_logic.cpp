#include "temp_file_name_logic.h"

#include <climits>
#include <cstring>

namespace {

constexpr char NamePattern[] = "tmpimg00.png";
constexpr size_t NameLength = sizeof NamePattern - 1;
constexpr int NameCount = 100;

}  // namespace

template <typename Char>
bool composeTempFilePath(const Char* directory, size_t directoryLength, int counter, Char* out) {
    if (directoryLength > PathCapacity - NameLength - 1) return false;
    const int number = counter % NameCount;
    std::memmove(out, directory, directoryLength * sizeof(Char));
    Char* name = out + directoryLength;
    for (size_t i = 0; i < sizeof NamePattern; ++i) name[i] = Char(NamePattern[i]);
    name[6] = Char('0' + number / 10);
    name[7] = Char('0' + number % 10);
    return true;
}

template bool composeTempFilePath(const char*, size_t, int, char*);
template bool composeTempFilePath(const wchar_t*, size_t, int, wchar_t*);

int nextTempFileCounter(int counter) {
    if (counter < INT_MAX) return counter + 1;
    return INT_MAX % NameCount + 1;
}
