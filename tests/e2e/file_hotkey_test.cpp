// The file hotkey of the real program: the clipboard's bitmap (or PNG)
// becomes the next tmpimgNN.png in the temporary directory, and its path and
// the file itself the clipboard's contents. Each case gives the program a
// temporary directory of its own.
#include <oleidl.h>  // DROPEFFECT_COPY

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "image_file.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;

std::string fileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "tmpimg%02d.png", number);
    return name;
}

class FileHotkey : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.created());
        grabnik_ = std::make_unique<Grabnik>("(ctrl+alt+S) (ctrl+alt+F)", grabnikPath(),
                                             temporaryDirectoryIs(folder_.path()));
        ASSERT_TRUE(grabnik_->waitReady());
    }

    // Presses the file hotkey and waits for a path on the clipboard. Waits
    // without opening the clipboard, which would make the program's open fail.
    std::string saveWithHotkey() const {
        pressHotkey(CtrlAlt, 'F');
        waitUntil([] { return clipboardHasFormat(CF_TEXT); });
        return clipboardText();
    }

    // Presses the file hotkey, which must change nothing: true when neither
    // the clipboard nor the folder changed within a second.
    bool pressChangesNothing() const {
        const DWORD sequence = GetClipboardSequenceNumber();
        const std::vector<std::string> files = folder_.files();
        pressHotkey(CtrlAlt, 'F');
        return !waitUntil(
            [&] { return GetClipboardSequenceNumber() != sequence || folder_.files() != files; },
            1000);
    }

    void expectFileHolds(const std::string& name, const Image& expected) const {
        Image decoded;
        ASSERT_TRUE(decodeImageFile(folder_.path() + name, decoded)) << name;
        EXPECT_EQ(decoded.width, expected.width) << name;
        EXPECT_EQ(decoded.height, expected.height) << name;
        EXPECT_EQ(decoded.pixels, expected.pixels) << name;
    }

    TempFolder folder_{"e2e"};
    std::unique_ptr<Grabnik> grabnik_;  // ends before its folder goes
};

TEST_F(FileHotkey, WritesTheBitmapAndPutsOnlyItsPathAndFileOnTheClipboard) {
    const Image picture = testPattern(61, 35, 3);
    ASSERT_TRUE(setClipboardBitmap(picture));

    const std::string path = saveWithHotkey();
    EXPECT_EQ(path, folder_.path() + "tmpimg00.png");
    // The file itself, for a paste into a file manager or an attachment.
    EXPECT_EQ(clipboardFiles(), std::vector<std::wstring>{widen(path)});
    EXPECT_EQ(clipboardDropEffect(), DWORD(DROPEFFECT_COPY));
    EXPECT_FALSE(clipboardHasFormat(CF_BITMAP));
    EXPECT_EQ(folder_.files(), std::vector<std::string>{"tmpimg00.png"});
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg00.png", picture));

    // Only the path is left: a second press has no bitmap to write.
    EXPECT_TRUE(pressChangesNothing());
    EXPECT_EQ(clipboardText(), folder_.path() + "tmpimg00.png");
}

// What a picture copied in a Linux program becomes under Wine: "PNG" alone.
TEST_F(FileHotkey, APngAloneIsWrittenAsGivenAndAGarbledOneWritesNothing) {
    const Image picture = testPattern(23, 17, 7);
    const std::vector<unsigned char> png = encodePng(picture);
    ASSERT_FALSE(png.empty());

    const std::vector<unsigned char> cutShort(png.begin(), png.end() - 1);
    ASSERT_TRUE(setClipboardPng(cutShort));
    EXPECT_TRUE(pressChangesNothing());
    EXPECT_EQ(clipboardPng(), cutShort);
    EXPECT_TRUE(folder_.files().empty());

    ASSERT_TRUE(setClipboardPng(png));
    const std::string path = saveWithHotkey();
    EXPECT_EQ(path, folder_.path() + "tmpimg00.png");
    EXPECT_EQ(clipboardFiles(), std::vector<std::wstring>{widen(path)});
    EXPECT_EQ(fileStart(path, png.size() + 1), png) << "the bytes as given, nothing more";
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg00.png", picture));
}

TEST_F(FileHotkey, TextAloneWritesNothingAndStays) {
    ASSERT_TRUE(setClipboardText("just some text"));
    EXPECT_TRUE(pressChangesNothing());
    EXPECT_EQ(clipboardText(), "just some text");
    EXPECT_TRUE(folder_.files().empty());

    // That press did not count: the first file written is still tmpimg00.
    const Image picture = testPattern(5, 4, 4);
    ASSERT_TRUE(setClipboardBitmap(picture));
    EXPECT_EQ(saveWithHotkey(), folder_.path() + "tmpimg00.png");
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg00.png", picture));
}

TEST_F(FileHotkey, AFailedSaveKeepsTheClipboardAndTheNextNumber) {
    ASSERT_TRUE(setClipboardBitmap(testPattern(9, 9, 5)));
    ASSERT_EQ(saveWithHotkey(), folder_.path() + "tmpimg00.png");

    // The temporary directory disappears: nothing can be written there.
    removeFolder(folder_.path());
    const Image picture = testPattern(12, 7, 6);
    ASSERT_TRUE(setClipboardBitmap(picture));
    EXPECT_TRUE(pressChangesNothing());
    Image onClipboard;
    ASSERT_TRUE(clipboardBitmap(onClipboard));
    EXPECT_EQ(onClipboard.pixels, picture.pixels);
    EXPECT_FALSE(clipboardHasFormat(CF_TEXT));

    // Back again: the next save takes the number the failed one did not use.
    ASSERT_TRUE(CreateDirectoryA(folder_.path().c_str(), nullptr));
    EXPECT_EQ(saveWithHotkey(), folder_.path() + "tmpimg01.png");
    EXPECT_EQ(folder_.files(), std::vector<std::string>{"tmpimg01.png"});
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg01.png", picture));
}

TEST_F(FileHotkey, TheHundredAndFirstSaveWritesTmpimg00Again) {
    for (int save = 0; save <= 100; ++save) {
        ASSERT_TRUE(setClipboardBitmap(testPattern(8, 6, save)));
        ASSERT_EQ(saveWithHotkey(), folder_.path() + fileName(save % 100)) << "save " << save;
    }
    std::vector<std::string> expected;
    for (int number = 0; number < 100; ++number) expected.push_back(fileName(number));
    EXPECT_EQ(folder_.files(), expected);
    // tmpimg00 was overwritten by the 101st.
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg00.png", testPattern(8, 6, 100)));
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg01.png", testPattern(8, 6, 1)));
    ASSERT_NO_FATAL_FAILURE(expectFileHolds("tmpimg99.png", testPattern(8, 6, 99)));
}

}  // namespace
