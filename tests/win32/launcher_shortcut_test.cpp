// The shortcut writer against the platform's real shell-link object.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "core/win_holders.h"
#include "setup/launcher_shortcut.h"
#include "shortcut_reader.h"
#include "temp_folder.h"

namespace {

class LauncherShortcut : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.created());
        // The save does not need the target; the program's own executable is
        // always there all the same.
        ASSERT_FALSE(target_.empty());
    }

    ComApartment com_;
    e2e::TempFolder folder_{"link"};
    const std::string target_ = folder_.copyGrabnik("grabnik.exe");
    std::string link_ = folder_.pathOf("grabnik.lnk");

    HRESULT create(const char* arguments) const {
        return createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", arguments);
    }
};

TEST_F(LauncherShortcut, SavesTargetArgumentsAndDescription) {
    ASSERT_EQ(create("(ctrl+alt+K) (shift+L)"), S_OK);
    EXPECT_TRUE(e2e::isLauncher(e2e::readShortcut(link_), target_, "(ctrl+alt+K) (shift+L)"));
}

TEST_F(LauncherShortcut, ReplacesAShortcutLeftByAnEarlierSetup) {
    ASSERT_EQ(create("(ctrl+A) (ctrl+B)"), S_OK);
    ASSERT_EQ(create("(alt+C) (alt+D)"), S_OK);
    EXPECT_EQ(e2e::readShortcut(link_).arguments, "(alt+C) (alt+D)");
}

TEST_F(LauncherShortcut, ReportsASaveThatCannotWrite) {
    // A folder standing where the file would go: the save must fail, not
    // claim success.
    ASSERT_TRUE(CreateDirectoryA(link_.c_str(), nullptr));
    EXPECT_TRUE(FAILED(create("(S) (L)")));
    EXPECT_TRUE(e2e::isDirectory(link_)) << "left as it was";

    link_ = folder_.pathOf("missing\\grabnik.lnk");
    EXPECT_TRUE(FAILED(create("(S) (L)")));
}

// Each on a thread of its own, whose COM state the test controls.
TEST(LauncherShortcutCom, ReportsThatCreatingTheObjectFailsWithoutCom) {
    HRESULT result = S_OK;
    std::thread([&] {
        result = createLauncherShortcut("C:\\grabnik.exe", "C:\\nowhere\\grabnik.lnk", "Grabnik",
                                        "(S) (L)");
    }).join();
    EXPECT_EQ(result, CO_E_NOTINITIALIZED);
}

TEST(LauncherShortcutCom, TheStepWritesOnAThreadWithoutComAndLeavesItWithout) {
    e2e::TempFolder folder("step");
    ASSERT_TRUE(folder.created());
    const std::string target = folder.copyGrabnik("grabnik.exe");
    ASSERT_FALSE(target.empty());
    ShortcutPaths paths;
    deriveShortcutPaths(target.c_str(), paths);

    HRESULT comAfterwards = E_FAIL;
    std::thread([&] {
        writeLauncherShortcut(
            paths, {makeHotkeyCode(MOD_CONTROL | MOD_ALT, 'K'), makeHotkeyCode(MOD_SHIFT, 'L')});
        // S_OK, not S_FALSE: the step uninitialised what it initialised.
        comAfterwards = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(comAfterwards)) CoUninitialize();
    }).join();
    EXPECT_EQ(comAfterwards, S_OK);

    EXPECT_TRUE(e2e::isLauncher(e2e::readShortcut(folder.pathOf("grabnik.lnk")), target,
                                "(ctrl+alt+K) (shift+L)"));
}

}  // namespace
