// The picture hand-over (core/picture_handover.h), as the Linux companion's
// bridge makes it: a WM_COPYDATA naming a picture file, after which the
// overlay shows that picture frozen and a drag copies its pixels. Anything
// unusable freezes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/picture_handover.h"
#include "image_file.h"
#include "linux/bmp_file_logic.h"
#include "overlay_session.h"
#include "support/named_rows.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

class Handover : public OverlaySession {
protected:
    // What the bridge sends: TRUE when Grabnik froze from the picture.
    LRESULT handOver(const std::string& text, DWORD bytes, ULONG_PTR tag = PictureHandoverTag) {
        COPYDATASTRUCT data = {tag, bytes, const_cast<char*>(text.c_str())};  // only read
        DWORD_PTR answer = FALSE;
        SendMessageTimeoutA(overlay_, WM_COPYDATA, 0, LPARAM(&data), SMTO_NORMAL, 10000, &answer);
        return LRESULT(answer);
    }
    LRESULT handOver(const std::string& path) { return handOver(path, DWORD(path.size() + 1)); }

    TempFolder folder{"handover"};
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
};

// The BMP that the Linux companion writes from the portal's picture.
bool writeCompanionBmp(const Image& image, const std::string& path) {
    std::string bytes = bmpHeaders(uint32_t(image.width), uint32_t(image.height));
    for (int y = image.height; y-- > 0;)
        for (int x = 0; x < image.width; ++x) {
            const COLORREF colour = image.at(x, y);
            bytes +=
                {char(GetBValue(colour)), char(GetGValue(colour)), char(GetRValue(colour)), '\0'};
        }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

struct PictureFile : NamedRow {
    const char* file;
    bool (*write)(const Image&, const std::string&);
};

class FrozenPicture : public Handover, public testing::WithParamInterface<PictureFile> {};

TEST_P(FrozenPicture, IsFrozenInsteadOfTheScreenAndADragCopiesItsPixels) {
    const Image picture = testPattern(width, height, 3);
    const std::string path = folder.pathOf(GetParam().file);
    ASSERT_TRUE(GetParam().write(picture, path));
    ASSERT_EQ(handOver(path), TRUE);
    ASSERT_TRUE(waitVisible(overlay_, true));
    EXPECT_EQ(waitForScreen([&](int x, int y) { return picture.at(x, y); }), "");

    const RECT area = {40, 30, 240, 130};
    userDrag(area);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(
        expectCopy(40, 30, 200, 100, [&](int x, int y) { return picture.at(x, y); }));
    EXPECT_TRUE(fileExists(path)) << "the file is the sender's";
}

INSTANTIATE_TEST_SUITE_P(Files, FrozenPicture,
                         testing::Values(PictureFile{"Png", "screen.png", writePngFile},
                                         PictureFile{"CompanionsBmp", "screen.bmp",
                                                     writeCompanionBmp}),
                         NamedAfterRow());

struct Unusable : NamedRow {
    const char* file;  // written into the folder first, or null
    const char* bytes;
};

class UnusableHandover : public Handover, public testing::WithParamInterface<Unusable> {};

TEST_P(UnusableHandover, FreezesNothing) {
    const Unusable& row = GetParam();
    const std::string path = folder.pathOf(row.file ? row.file : "missing.png");
    if (row.file) {
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, row.bytes, DWORD(strlen(row.bytes)), &written, nullptr);
        CloseHandle(file);
    }
    EXPECT_EQ(handOver(path), FALSE);
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(overlay_));
}

INSTANTIATE_TEST_SUITE_P(Files, UnusableHandover,
                         testing::Values(Unusable{"Missing", nullptr, ""},
                                         Unusable{"NotAPicture", "text.png", "no picture here"},
                                         Unusable{"Empty", "empty.png", ""}),
                         NamedAfterRow());

TEST_F(Handover, APictureSmallerThanTheScreenFreezesNothing) {
    const std::string path = folder.pathOf("small.png");
    ASSERT_TRUE(writePngFile(testPattern(width - 1, height, 1), path));
    EXPECT_EQ(handOver(path), FALSE);
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(overlay_));
}

TEST_F(Handover, AnotherTagOrAnUnterminatedPathFreezesNothing) {
    const std::string path = folder.pathOf("screen.png");
    ASSERT_TRUE(writePngFile(testPattern(width, height, 2), path));
    EXPECT_EQ(handOver(path, DWORD(path.size() + 1), PictureHandoverTag + 1), FALSE);
    EXPECT_EQ(handOver(path, DWORD(path.size())), FALSE);
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(overlay_));
}

}  // namespace
