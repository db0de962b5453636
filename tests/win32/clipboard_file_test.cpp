// The file hotkey's work inside one process: the text block it hands to the
// clipboard, the limits of the path buffer and of the counter.
#include <windows.h>

#include <oleidl.h>  // DROPEFFECT_COPY

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>
#include <vector>

#include "core/snip_state.h"
#include "export/clipboard_file.h"
#include "file_hotkey_in_process.h"
#include "image_file.h"

using namespace e2e;

namespace {

class ClipboardToFile : public FileHotkeyInProcess {
protected:
    static std::string temporaryDirectory() {
        char directory[MAX_PATH + 1] = "";
        GetTempPathA(sizeof directory, directory);
        return directory;
    }

    const Image pattern_ = testPattern(19, 11, 2);
};

TEST_F(ClipboardToFile, HandsThePathInA260ByteBlockAndTheFileToTheClipboard) {
    ASSERT_TRUE(setClipboardBitmap(pattern_));
    saveClipboardImageToTempFile();

    const std::string expected = folder_.path() + "tmpimg00.png";
    EXPECT_EQ(std::wstring(snipState.tempPathBuffer), widen(expected));
    EXPECT_EQ(snipState.tempFileCounter, 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(CF_TEXT);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 260u);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), expected.c_str());
    GlobalUnlock(block);
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
    EXPECT_EQ(GetClipboardOwner(), snipState.mainWindow);
    CloseClipboard();
    EXPECT_EQ(clipboardFiles(), std::vector<std::wstring>{widen(expected)});
    EXPECT_EQ(clipboardDropEffect(), DWORD(DROPEFFECT_COPY));
    EXPECT_TRUE(fileExists(expected));
}

// A directory of n characters leaves room for the 12-character name and its
// null up to n = 247; one more and nothing may be written.
TEST_F(ClipboardToFile, ATemporaryDirectoryWithoutRoomForTheNameWritesNothing) {
    for (size_t length : {size_t(247), size_t(248)}) {
        SCOPED_TRACE(length);
        std::string directory = folder_.path();
        directory += std::string(length - 1 - directory.size(), 'd') + "\\";
        // Created, so that only the length can stop the save.
        ASSERT_TRUE(CreateDirectoryA(directory.substr(0, length - 1).c_str(), nullptr));
        const ScopedEnvironment longDirectory(temporaryDirectoryIs(directory));
        ASSERT_EQ(temporaryDirectory(), directory);

        std::wcscpy(snipState.tempPathBuffer, L"previous");
        snipState.tempFileCounter = 5;
        ASSERT_TRUE(setClipboardBitmap(pattern_));
        saveClipboardImageToTempFile();

        const std::string file = directory + "tmpimg05.png";
        if (length == 247) {
            EXPECT_EQ(snipState.tempFileCounter, 6);
            EXPECT_EQ(clipboardText(), file);
            EXPECT_TRUE(fileExists(file));
        } else {
            EXPECT_EQ(snipState.tempFileCounter, 5);
            EXPECT_STREQ(snipState.tempPathBuffer, L"previous");
            EXPECT_TRUE(clipboardHasFormat(CF_BITMAP));
            EXPECT_FALSE(clipboardHasFormat(CF_TEXT));
            WIN32_FIND_DATAA entry;
            HANDLE search = FindFirstFileA((directory + "*.png").c_str(), &entry);
            EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "wrote " << entry.cFileName;
            if (search != INVALID_HANDLE_VALUE) FindClose(search);
        }
        removeFolder(directory);
    }
}

TEST_F(ClipboardToFile, TheCounterKeepsRotatingPastItsLargestValue) {
    snipState.tempFileCounter = INT_MAX;
    for (const char* name : {"tmpimg47.png", "tmpimg48.png"}) {
        ASSERT_TRUE(setClipboardBitmap(pattern_));
        saveClipboardImageToTempFile();
        EXPECT_EQ(clipboardText(), folder_.path() + name);
        EXPECT_GE(snipState.tempFileCounter, 0);
    }
    EXPECT_EQ(folder_.files(), (std::vector<std::string>{"tmpimg47.png", "tmpimg48.png"}));
}

}  // namespace
