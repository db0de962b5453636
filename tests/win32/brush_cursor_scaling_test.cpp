// The brush cursor at a display scaling of 150%, where the system's cursors
// are 48 pixels wide: its outline must still frame the 16x16 block.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "driver.h"
#include "temp_folder.h"

namespace {

// The display scaling for the processes started while this lives, as the
// user's setting that Wine and Windows read at a process's start; the
// previous setting is put back at the end.
class DisplayScaling {
public:
    explicit DisplayScaling(DWORD dpi) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr) != 0) {
            key_ = nullptr;
            return;
        }
        DWORD size = sizeof previous_;
        hadPrevious_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(&previous_), &size) == 0;
        set_ = RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi),
                              sizeof dpi) == 0;
    }
    ~DisplayScaling() {
        if (!key_) return;
        if (hadPrevious_)
            RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&previous_),
                           sizeof previous_);
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    DisplayScaling(const DisplayScaling&) = delete;
    DisplayScaling& operator=(const DisplayScaling&) = delete;
    bool set() const { return set_; }

private:
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool hadPrevious_ = false;
    bool set_ = false;
};

// Runs the probe beside this program and returns what it wrote.
std::string runProbe() {
    e2e::TempFolder folder("cursor");
    const std::string report = folder.pathOf("probe.txt");
    e2e::Grabnik probe("\"" + report + "\"", e2e::binDirectory() + "\\brush_cursor_probe.exe");
    DWORD exitCode = 1;
    // Generous: under Wine a process may wait seconds for the desktop.
    if (!probe.waitExit(&exitCode, 60000) || exitCode != 0) return "(nothing: it failed)";
    std::ifstream in(report);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(BrushCursor, KeepsItsOwnSizeAndHotSpotAt150Percent) {
    std::string output;
    {
        const DisplayScaling scaling(144);
        ASSERT_TRUE(scaling.set());
        output = runProbe();
    }
    long width = 0, height = 0;
    unsigned long hotX = 0, hotY = 0;
    int systemCursor = 0;
    ASSERT_EQ(std::sscanf(output.c_str(), "%ld %ld %lu %lu %d", &width, &height, &hotX, &hotY,
                          &systemCursor),
              5)
        << "the probe wrote: " << output;
    ASSERT_EQ(systemCursor, 48) << "the scaling did not take effect";
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(hotX, 8u);
    EXPECT_EQ(hotY, 7u);
}

}  // namespace
