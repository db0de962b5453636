// The file hotkey's names: those another program holds open or that are
// read-only are passed over, and a temporary folder that the ANSI code page
// cannot spell is still written and named exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "image_file.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;

std::wstring clipboardUnicodeText() {
    if (!OpenClipboard(nullptr)) return L"(clipboard held)";
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = block ? static_cast<const wchar_t*>(GlobalLock(block)) : nullptr;
    std::wstring copy = text ? text : L"";
    if (text) GlobalUnlock(block);
    CloseClipboard();
    return copy;
}

// Sets a bitmap, presses the file hotkey and waits for the path to replace it.
void saveWithHotkey(int seed) {
    ASSERT_TRUE(setClipboardBitmap(testPattern(9, 7, seed)));
    pressHotkey(CtrlAlt, 'F');
    ASSERT_TRUE(waitUntil([] { return !clipboardHasFormat(CF_BITMAP); }));
}

TEST(TempNames, HeldOpenAndReadOnlyNamesArePassedOverAndLeftAlone) {
    TempFolder folder("names");
    ASSERT_TRUE(folder.created());
    const std::string held = folder.pathOf("tmpimg00.png");
    const std::string readOnly = folder.pathOf("tmpimg01.png");
    for (const std::string& path : {held, readOnly}) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, path.c_str(), DWORD(path.size()), &written, nullptr);
        CloseHandle(file);
    }
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    // Held open for reading, without write sharing, as an image viewer might.
    HANDLE viewer = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);

    {
        Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)", grabnikPath(),
                        temporaryDirectoryIs(folder.path()));
        ASSERT_TRUE(grabnik.waitReady());
        ASSERT_NO_FATAL_FAILURE(saveWithHotkey(1));
        EXPECT_EQ(clipboardText(), folder.pathOf("tmpimg02.png"));
        ASSERT_NO_FATAL_FAILURE(saveWithHotkey(2));
        EXPECT_EQ(clipboardText(), folder.pathOf("tmpimg03.png"));
    }
    CloseHandle(viewer);
    for (const std::string& path : {held, readOnly}) {
        const std::vector<unsigned char> start = fileStart(path, 1000);
        EXPECT_EQ(std::string(start.begin(), start.end()), path) << "changed";
    }
    Image second;
    ASSERT_TRUE(decodeImageFile(folder.pathOf("tmpimg03.png"), second));
    EXPECT_EQ(second.pixels, testPattern(9, 7, 2).pixels);
}

TEST(TempNames, AFolderOutsideTheAnsiCodePageIsWrittenAndNamedExactly) {
    ASSERT_EQ(GetACP(), 1252u) << "the case needs the Western code page";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) +
                                L"grabnik-\u0416\u0443\u0440\u043d\u0430\u043b-" +
                                std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"tmpimg00.png";

    // The names in wide characters: the ANSI functions cannot spell them.
    wchar_t previous[2][MAX_PATH] = {};
    const wchar_t* const names[] = {L"TMP", L"TEMP"};
    for (int i = 0; i < 2; ++i) {
        GetEnvironmentVariableW(names[i], previous[i], MAX_PATH);
        SetEnvironmentVariableW(names[i], folder.c_str());
    }
    {
        Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)");
        for (int i = 0; i < 2; ++i) SetEnvironmentVariableW(names[i], previous[i]);
        ASSERT_TRUE(grabnik.waitReady());
        ASSERT_NO_FATAL_FAILURE(saveWithHotkey(3));
        EXPECT_EQ(clipboardUnicodeText(), file);
    }
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data));
    EXPECT_GT(data.nFileSizeLow, 0u);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
