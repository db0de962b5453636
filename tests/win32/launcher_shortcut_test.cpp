// The shortcut writer against the platform's real shell-link object.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "setup/com_apartment.h"
#include "setup/launcher_shortcut.h"

namespace {

// What a saved shortcut holds, loaded back through the shell-link object.
struct LoadedShortcut {
    HRESULT loaded = E_FAIL;
    std::string target, arguments, description, workingDirectory, iconPath;
    WORD hotkey = 0xFFFF;
};

LoadedShortcut loadShortcut(const std::string& path) {
    LoadedShortcut result;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR widePath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
        result.loaded = file->Load(widePath, STGM_READ);
        char text[MAX_PATH] = "";
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        result.target = text;
        text[0] = '\0';
        link->GetArguments(text, MAX_PATH);
        result.arguments = text;
        text[0] = '\0';
        link->GetDescription(text, MAX_PATH);
        result.description = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, MAX_PATH);
        result.workingDirectory = text;
        text[0] = '\0';
        int icon = 0;
        link->GetIconLocation(text, MAX_PATH, &icon);
        result.iconPath = text;
        link->GetHotkey(&result.hotkey);
        file->Release();
    }
    link->Release();
    return result;
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class LauncherShortcut : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "grabnik-link-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        target_ = folder_ + "\\grabnik.exe";
        link_ = folder_ + "\\grabnik.lnk";
        // The target need not exist for the save; give it one all the same,
        // as the program's own executable is always there.
        CloseHandle(CreateFileA(target_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    void TearDown() override {
        DeleteFileA(link_.c_str());
        RemoveDirectoryA(link_.c_str());
        DeleteFileA(target_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    ComApartment com_;
    std::string folder_, target_, link_;
};

TEST_F(LauncherShortcut, SavesTargetArgumentsAndDescriptionOnly) {
    ASSERT_EQ(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik",
                                     "(ctrl+alt+K) (shift+L)"),
              S_OK);
    const LoadedShortcut loaded = loadShortcut(link_);
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
    const LoadedShortcut loaded = loadShortcut(link_);
    ASSERT_EQ(loaded.loaded, S_OK);
    EXPECT_STRCASEEQ(loaded.target.c_str(), target_.c_str());
}

TEST_F(LauncherShortcut, ReplacesAShortcutLeftByAnEarlierSetup) {
    ASSERT_EQ(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", "(ctrl+A) (ctrl+B)"),
              S_OK);
    ASSERT_EQ(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", "(alt+C) (alt+D)"),
              S_OK);
    EXPECT_EQ(loadShortcut(link_).arguments, "(alt+C) (alt+D)");
}

TEST_F(LauncherShortcut, ReportsASaveThatCannotWrite) {
    // A folder standing where the file would go: the save must fail, not
    // claim success.
    ASSERT_TRUE(CreateDirectoryA(link_.c_str(), nullptr));
    EXPECT_TRUE(FAILED(createLauncherShortcut(target_.c_str(), link_.c_str(), "Grabnik", "(S) (L)")));
    EXPECT_FALSE(isFile(link_));

    const std::string missingFolder = folder_ + "\\missing\\grabnik.lnk";
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

TEST(LauncherShortcutCom, ComApartmentInitialisesAndUninitialisesTheThread) {
    HRESULT inside = E_FAIL;
    HRESULT after = E_FAIL;
    std::thread([&] {
        {
            ComApartment com;
            // S_FALSE: COM was already initialised on this thread, by the holder.
            inside = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(inside)) CoUninitialize();
        }
        // S_OK again: the holder's initialisation was balanced.
        after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(after)) CoUninitialize();
    }).join();
    EXPECT_EQ(inside, S_FALSE);
    EXPECT_EQ(after, S_OK);
}

}  // namespace
