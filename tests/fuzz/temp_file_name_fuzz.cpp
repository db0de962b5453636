// The temporary file's path: when it fits, the directory followed by
// tmpimgNN.png for the counter, terminated within the buffer and with no
// quote the directory did not bring; when it does not fit, the buffer is
// untouched and the directory unread. The counter's successor always
// continues the rotation and never turns negative, and the name chosen past
// unwritable ones is the first writable one of the rotation.
#include "export/temp_file_name_logic.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr char Untouched = 'x';
constexpr size_t NameLength = 12;  // "tmpimgNN.png"

void checkComposedPath(FuzzedDataProvider& data, int counter) {
    // Either the length the directory query gave for what it wrote, or the
    // larger size it asks for when the buffer is too small.
    const bool tooSmall = data.ConsumeBool();
    const size_t required = data.ConsumeIntegralInRange<size_t>(PathCapacity - NameLength, 100000);
    const std::vector<char> written = data.ConsumeRemainingBytes<char>();
    const size_t length = tooSmall ? required : written.size();

    // Exact heap copies: ASan reports a read of the directory beyond what
    // was written, and a write beyond the path buffer.
    const auto directory = std::make_unique<char[]>(written.size());
    if (!written.empty()) std::memcpy(directory.get(), written.data(), written.size());
    const auto out = std::make_unique<char[]>(PathCapacity);
    std::memset(out.get(), Untouched, PathCapacity);

    const bool composed = composeTempFilePath(directory.get(), length, counter, out.get());
    FUZZ_REQUIRE(composed == (length + NameLength < PathCapacity));
    if (!composed) {
        for (size_t i = 0; i < PathCapacity; ++i) FUZZ_REQUIRE(out[i] == Untouched);
        return;
    }

    FUZZ_REQUIRE(std::memcmp(out.get(), directory.get(), length) == 0);
    const char* name = out.get() + length;
    const int number = counter % 100;
    const char expected[] = {
        't', 'm', 'p', 'i', 'm', 'g', char('0' + number / 10), char('0' + number % 10),
        '.', 'p', 'n', 'g', '\0'};
    FUZZ_REQUIRE(std::memcmp(name, expected, sizeof expected) == 0);
    if (std::memchr(directory.get(), '"', length) == nullptr)
        FUZZ_REQUIRE(std::memchr(out.get(), '"', length + NameLength) == nullptr);
}

void checkNextCounter(int counter) {
    const int next = nextTempFileCounter(counter);
    FUZZ_REQUIRE(next >= 0);
    FUZZ_REQUIRE(next % 100 == (counter % 100 + 1) % 100);
    if (counter < INT_MAX) FUZZ_REQUIRE(next == counter + 1);
}

// The name passed over for one that cannot be written: the choice is the
// first writable name of the rotation from the counter on, each name asked
// at most once, and -1 only when none of the 100 can be written.
void checkChosenCounter(FuzzedDataProvider& data, int counter) {
    bool writable[100];
    for (bool& name : writable) name = data.ConsumeBool();
    int asked[100] = {};
    const int chosen = chooseTempFileCounter(counter, [&](int candidate) {
        ++asked[candidate % 100];
        return writable[candidate % 100];
    });
    for (int count : asked) FUZZ_REQUIRE(count <= 1);
    int expected = counter;
    for (int step = 0; step < 100 && !writable[expected % 100]; ++step)
        expected = nextTempFileCounter(expected);
    if (!writable[expected % 100]) expected = -1;
    FUZZ_REQUIRE(chosen == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    // The counter starts at 0 and only its successor function changes it.
    const int counter = data.ConsumeIntegralInRange(0, INT_MAX);
    checkNextCounter(counter);
    checkChosenCounter(data, counter);
    checkComposedPath(data, counter);
    return 0;
}
