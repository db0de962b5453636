// The shortcut writer against the platform's real shell-link object.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "setup/com_apartment.h"
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
    const std::string link_ = folder_.pathOf("grabnik.lnk");
};

TEST_F(LauncherShortcut, SavesTargetArgumentsAndDescriptionOnly) {
    ASSERT_EQ(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik",
                                     "(ctrl+alt+K) (shift+L)"),
              S_OK);
    const e2e::ShortcutContent loaded = e2e::readShortcut(link_);
    ASSERT_EQ(loaded.loaded, S_OK);
    EXPECT_STRCASEEQ(loaded.target.c_str(), target_.c_str());
    EXPECT_EQ(loaded.arguments, "(ctrl+alt+K) (shift+L)");
    EXPECT_EQ(loaded.description, "Grabnik");
    EXPECT_EQ(loaded.workingDirectory, "");
    EXPECT_EQ(loaded.iconPath, "");
    EXPECT_EQ(loaded.hotkey, 0) << "no shortcut key of its own";
}

TEST_F(LauncherShortcut, AQuotedTargetStartsTheSameExecutable) {
    const std::string quoted = "\"" + target_ + "\"";
    ASSERT_EQ(createLauncherShortcut(quoted.c_str(), link_.c_str(), "Grabnik", "(S) (L)"), S_OK);
    const e2e::ShortcutContent loaded = e2e::readShortcut(link_);
    ASSERT_EQ(loaded.loaded, S_OK);
    EXPECT_STRCASEEQ(loaded.target.c_str(), target_.c_str());
}

TEST_F(LauncherShortcut, ReplacesAShortcutLeftByAnEarlierSetup) {
    ASSERT_EQ(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", "(ctrl+A) (ctrl+B)"),
              S_OK);
    ASSERT_EQ(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", "(alt+C) (alt+D)"),
              S_OK);
    EXPECT_EQ(e2e::readShortcut(link_).arguments, "(alt+C) (alt+D)");
}

TEST_F(LauncherShortcut, ReportsASaveThatCannotWrite) {
    // A folder standing where the file would go: the save must fail, not
    // claim success.
    ASSERT_TRUE(CreateDirectoryA(link_.c_str(), nullptr));
    EXPECT_TRUE(FAILED(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", "(S) (L)")));
    EXPECT_TRUE(e2e::isDirectory(link_)) << "left as it was";

    const std::string missingFolder = folder_.pathOf("missing\\grabnik.lnk");
    EXPECT_TRUE(
        FAILED(createLauncherShortcut(target_.c_str(), missingFolder.c_str(), "Grabnik", "(S) (L)")));
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
    deriveShortcutPaths(("\"" + target + "\" ").c_str(), paths);

    HRESULT comAfterwards = E_FAIL;
    std::thread([&] {
        writeLauncherShortcut(paths, MOD_CONTROL | MOD_ALT, 'K', MOD_SHIFT, 'L');
        // S_OK, not S_FALSE: the step uninitialised what it initialised.
        comAfterwards = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(comAfterwards)) CoUninitialize();
    }).join();
    EXPECT_EQ(comAfterwards, S_OK);

    const e2e::ShortcutContent loaded = e2e::readShortcut(folder.pathOf("grabnik.lnk"));
    ASSERT_EQ(loaded.loaded, S_OK);
    EXPECT_STRCASEEQ(loaded.target.c_str(), target.c_str());
    EXPECT_EQ(loaded.arguments, "(ctrl+alt+K) (shift+L)");
    EXPECT_EQ(loaded.description, "Grabnik");
}

}  // namespace
