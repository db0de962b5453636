// The image writer against the platform's real codecs: the encoder chosen by
// the extension, the written pixels, the result codes and the codecs' start
// and shut-down.
#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "export/encoder_match_logic.h"
#include "export/image_writer.h"
#include "export/png_header_logic.h"
#include "image_file.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

class ImageWriter : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.created());
        bitmap_ = createBitmap(pattern_);
        ASSERT_NE(bitmap_, nullptr);
    }
    void TearDown() override { DeleteObject(bitmap_); }

    std::string path(const std::string& name) const { return folder_.path() + name; }
    // After any save, successful or not, the bitmap is still there, unchanged.
    void expectBitmapUnchanged() const {
        const Image now = bitmapPixels(bitmap_);
        EXPECT_EQ(now.width, pattern_.width);
        EXPECT_EQ(now.height, pattern_.height);
        EXPECT_EQ(now.pixels, pattern_.pixels);
    }

    TempFolder folder_{"writer"};
    const Image pattern_ = testPattern(37, 23, 1);  // odd sizes: row padding shows
    HBITMAP bitmap_ = nullptr;
};

TEST_F(ImageWriter, SavedPngDecodesToExactlyTheBitmap) {
    const BitmapImage image(bitmap_);
    ASSERT_EQ(saveImageFile(image, widen(path("shot.png")).c_str()), S_OK);
    Image decoded;
    ASSERT_TRUE(decodeImageFile(path("shot.png"), decoded));
    EXPECT_EQ(decoded.width, 37);
    EXPECT_EQ(decoded.height, 23);
    EXPECT_EQ(decoded.pixels, pattern_.pixels);
    expectBitmapUnchanged();
}

// The snip's PNG for the clipboard: a block of exactly the file's bytes.
TEST_F(ImageWriter, EncodedPngBlockIsExactlyAFileOfTheBitmap) {
    HGLOBAL block = encodeImageBlock(BitmapImage(bitmap_), L".png");
    ASSERT_NE(block, nullptr);
    std::vector<unsigned char> bytes(GlobalSize(block));
    std::memcpy(bytes.data(), GlobalLock(block), bytes.size());
    GlobalUnlock(block);
    GlobalFree(block);
    PngExtent extent = {};
    ASSERT_TRUE(checkPngBlock(bytes.data(), bytes.size(), &extent));
    EXPECT_EQ(extent.length, bytes.size()) << "nothing after the file's end";
    Image decoded;
    ASSERT_TRUE(decodeImageBytes(bytes, decoded));
    EXPECT_EQ(decoded.width, 37);
    EXPECT_EQ(decoded.height, 23);
    EXPECT_EQ(decoded.pixels, pattern_.pixels);
    expectBitmapUnchanged();
}

TEST_F(ImageWriter, TheExtensionChoosesTheEncoderInAnyLetterCase) {
    const struct {
        const char* name;
        std::vector<unsigned char> signature;
    } cases[] = {
        {"a.png", {0x89, 'P', 'N', 'G'}},         {"b.PNG", {0x89, 'P', 'N', 'G'}},
        {"c.Png", {0x89, 'P', 'N', 'G'}},         {"d.bmp", {'B', 'M'}},
        {"e.JPEG", {0xFF, 0xD8, 0xFF}},           {"f.gif", {'G', 'I', 'F', '8'}},
        {"dir.bmp.x.png", {0x89, 'P', 'N', 'G'}},
    };
    const BitmapImage image(bitmap_);
    for (const auto& c : cases) {
        EXPECT_EQ(saveImageFile(image, widen(path(c.name)).c_str()), S_OK) << c.name;
        EXPECT_EQ(fileStart(path(c.name), c.signature.size()), c.signature) << c.name;
    }
    expectBitmapUnchanged();
}

TEST_F(ImageWriter, NoEncoderForTheExtensionFailsAndWritesNoFile) {
    ASSERT_TRUE(CreateDirectoryA(path("dir.png").c_str(), nullptr));
    const BitmapImage image(bitmap_);
    for (const char* name : {"shot.xyz", "shot", "shot.", "shot.png.txt", "shot.pngx",
                             "dir.png\\shot", "shot.png backup"}) {
        EXPECT_EQ(saveImageFile(image, widen(path(name)).c_str()), E_FAIL) << name;
        EXPECT_FALSE(fileExists(path(name))) << name;
    }
    EXPECT_EQ(folder_.files(), std::vector<std::string>());
    expectBitmapUnchanged();
}

TEST_F(ImageWriter, ANullBitmapFailsAndWritesNoFile) {
    const BitmapImage none(nullptr);
    EXPECT_EQ(saveImageFile(none, widen(path("none.png")).c_str()), E_FAIL);
    EXPECT_FALSE(fileExists(path("none.png")));
}

TEST_F(ImageWriter, AMissingFolderFailsAndLeavesTheBitmap) {
    const BitmapImage image(bitmap_);
    EXPECT_EQ(saveImageFile(image, widen(path("missing\\shot.png")).c_str()), E_FAIL);
    expectBitmapUnchanged();
}

TEST_F(ImageWriter, CodecsRunWhileAnyImageLivesAndStartAgainOnTheNextSave) {
    ASSERT_EQ(codecStartup.token, 0u);
    ASSERT_EQ(codecStartup.imageCount, 0);
    {
        auto first = std::make_unique<BitmapImage>(bitmap_);
        const BitmapImage second(bitmap_);
        EXPECT_EQ(codecStartup.imageCount, 2);
        EXPECT_EQ(codecStartup.token, 0u) << "making an image does not start the codecs";
        ASSERT_EQ(saveImageFile(*first, widen(path("first.png")).c_str()), S_OK);
        EXPECT_NE(codecStartup.token, 0u);

        first.reset();
        EXPECT_EQ(codecStartup.imageCount, 1);
        EXPECT_NE(codecStartup.token, 0u) << "one image is still alive";
        EXPECT_EQ(saveImageFile(second, widen(path("second.png")).c_str()), S_OK);
    }
    EXPECT_EQ(codecStartup.imageCount, 0);
    EXPECT_EQ(codecStartup.token, 0u) << "the last image shut the codecs down";

    const BitmapImage third(bitmap_);
    EXPECT_EQ(saveImageFile(third, widen(path("third.png")).c_str()), S_OK);
    EXPECT_NE(codecStartup.token, 0u);
    Image decoded;
    ASSERT_TRUE(decodeImageFile(path("third.png"), decoded));
    EXPECT_EQ(decoded.pixels, pattern_.pixels);
}

// The extension rule must be the shell's own, which the codecs' pattern
// lists are written for.
TEST(FindExtension, AgreesWithTheShell) {
    for (const wchar_t* path :
         {L"C:\\Temp\\tmpimg00.png", L"a.tar.gz", L"*.JPEG", L".png", L"name.", L"noextension",
          L"C:\\dir.png\\noextension", L"C:\\dir.png\\", L"C:\\my dir\\shot.png",
          L"shot.png backup", L"C:/dir.x/name", L"C:shot.gif", L""})
        EXPECT_EQ(findExtension(path), PathFindExtensionW(path)) << std::wstring(path).size();
}

}  // namespace
