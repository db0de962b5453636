#include "export/temp_file_name_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Heap buffers of exactly the capacity: the sanitizer reports any write past them.
std::unique_ptr<char[]> pathBuffer(char fill) {
    std::unique_ptr<char[]> buffer(new char[PathCapacity]);
    std::fill(buffer.get(), buffer.get() + PathCapacity, fill);
    return buffer;
}

std::string compose(const std::string& directory, int counter) {
    auto out = pathBuffer('#');
    if (!composeTempFilePath(directory.data(), directory.size(), counter, out.get()))
        return "(does not fit)";
    return out.get();
}

TEST(ComposeTempFilePath, NamesTheFileByTheCounterModulo100) {
    const struct {
        int counter;
        const char* name;
    } cases[] = {{0, "tmpimg00.png"},   {7, "tmpimg07.png"},     {99, "tmpimg99.png"},
                 {100, "tmpimg00.png"}, {12345, "tmpimg45.png"}, {INT_MAX, "tmpimg47.png"}};
    for (const auto& c : cases)
        EXPECT_EQ(compose("C:\\Temp\\", c.counter), std::string("C:\\Temp\\") + c.name)
            << c.counter;
}

TEST(ComposeTempFilePath, UsesOnlyTheGivenLengthOfTheDirectory) {
    const std::string directory = "C:\\Temp\\leftover";
    auto out = pathBuffer('#');
    ASSERT_TRUE(composeTempFilePath(directory.data(), 8, 3, out.get()));
    EXPECT_STREQ(out.get(), "C:\\Temp\\tmpimg03.png");
}

TEST(ComposeTempFilePath, AnEmptyDirectoryGivesTheBareName) {
    EXPECT_EQ(compose("", 1), "tmpimg01.png");
}

TEST(ComposeTempFilePath, FitsExactlyUpToTheLastByte) {
    const std::string directory = "C:\\" + std::string(243, 'd') + "\\";  // 247 characters
    auto out = pathBuffer('#');
    ASSERT_TRUE(composeTempFilePath(directory.data(), directory.size(), 42, out.get()));
    EXPECT_EQ(std::string(out.get()), directory + "tmpimg42.png");
    EXPECT_EQ(out[PathCapacity - 1], '\0');
}

TEST(ComposeTempFilePath, ATooLongDirectoryWritesNothing) {
    for (size_t length : {size_t(248), size_t(259), size_t(260), size_t(261), size_t(70000)}) {
        // Shorter than the length it claims: a too long directory must not be read.
        const std::string directory = "C:\\Temp\\";
        auto out = pathBuffer('#');
        EXPECT_FALSE(composeTempFilePath(directory.data(), length, 0, out.get())) << length;
        EXPECT_EQ(std::string(out.get(), PathCapacity), std::string(PathCapacity, '#')) << length;
    }
}

TEST(ComposeTempFilePath, WideCharactersGiveTheSameName) {
    const std::wstring directory = L"C:\\Temp\\\u0416\u0443\u0440\\";
    std::vector<wchar_t> out(PathCapacity, L'#');
    ASSERT_TRUE(composeTempFilePath(directory.data(), directory.size(), 105, out.data()));
    EXPECT_EQ(std::wstring(out.data()), directory + L"tmpimg05.png");
}

TEST(ChooseTempFileCounter, PassesOverNamesThatCannotBeWrittenAtMostOnceRound) {
    const struct {
        const char* name;
        int counter;
        std::set<int> unwritable;  // name numbers
        int chosen;
    } cases[] = {
        {"free name", 7, {}, 7},
        {"two passed over", 0, {0, 1}, 2},
        {"round the end", 98, {98, 99, 0}, 101},
        {"past the largest count", INT_MAX, {47}, 48},
        {"only the one before is free", 5,
         [] {
             std::set<int> all;
             for (int n = 0; n < 100; ++n) all.insert(n);
             all.erase(4);
             return all;
         }(),
         104},
        {"none free", 3,
         [] {
             std::set<int> all;
             for (int n = 0; n < 100; ++n) all.insert(n);
             return all;
         }(),
         -1},
    };
    for (const auto& c : cases) {
        std::vector<int> asked;
        const int chosen = chooseTempFileCounter(c.counter, [&](int counter) {
            asked.push_back(counter % 100);
            return c.unwritable.count(counter % 100) == 0;
        });
        EXPECT_EQ(chosen, c.chosen) << c.name;
        std::set<int> distinct(asked.begin(), asked.end());
        EXPECT_EQ(distinct.size(), asked.size()) << c.name << ": a name asked twice";
    }
}

TEST(NextTempFileCounter, CountsAndKeepsTheRotationPastTheLargestCount) {
    EXPECT_EQ(nextTempFileCounter(0), 1);
    EXPECT_EQ(nextTempFileCounter(99), 100);
    EXPECT_EQ(nextTempFileCounter(INT_MAX - 1), INT_MAX);
    for (int counter : {0, 98, 99, 100, INT_MAX - 1, INT_MAX}) {
        const int next = nextTempFileCounter(counter);
        EXPECT_GE(next, 0) << counter;
        // The next name is always the one after this one.
        EXPECT_EQ(next % 100, (counter % 100 + 1) % 100) << counter;
    }
}

}  // namespace
