#include "linux/portal_request_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

#include "linux/bmp_file_logic.h"

#include "support/named_rows.h"

namespace {

TEST(PortalRequestPath, TheSendersNameWithoutColonAndDotsBecomeUnderscores) {
    EXPECT_EQ(portalRequestPath(":1.42", "grabnik3"),
              "/org/freedesktop/portal/desktop/request/1_42/grabnik3");
    EXPECT_EQ(portalRequestPath(":12.3.4", "t"),
              "/org/freedesktop/portal/desktop/request/12_3_4/t");
}

struct UriRow : NamedRow {
    const char* uri;
    bool accepted;
    const char* path;
};

class FileUri : public testing::TestWithParam<UriRow> {};

TEST_P(FileUri, NamesTheLocalFileOrIsRefused) {
    const UriRow& row = GetParam();
    std::string path = "unchanged";
    EXPECT_EQ(pathOfFileUri(row.uri, path), row.accepted);
    EXPECT_EQ(path, row.accepted ? row.path : "unchanged");
}

INSTANTIATE_TEST_SUITE_P(
    Uris, FileUri,
    testing::Values(
        UriRow{"Plain", "file:///tmp/out.png", true, "/tmp/out.png"},
        UriRow{"Localhost", "file://localhost/root/Screenshot.png", true, "/root/Screenshot.png"},
        UriRow{"Escapes", "file:///home/a/Bilder/Bildschirmfoto%20vom%202024%2Fx%c3%a4.png", true,
               "/home/a/Bilder/Bildschirmfoto vom 2024/x\xc3\xa4.png"},
        UriRow{"UpperCaseEscape", "file:///a%3Ab", true, "/a:b"},
        UriRow{"OtherHost", "file://server/tmp/out.png", false, ""},
        UriRow{"OtherScheme", "https:///tmp/out.png", false, ""},
        UriRow{"NoPath", "file://", false, ""}, UriRow{"Empty", "", false, ""},
        UriRow{"ShortEscape", "file:///a%2", false, ""},
        UriRow{"BadEscape", "file:///a%zz.png", false, ""},
        UriRow{"EscapedNul", "file:///a%00.png", false, ""}),
    NamedAfterRow());

TEST(FileUri, ARawNulIsRefused) {
    std::string path = "unchanged";
    EXPECT_FALSE(pathOfFileUri(std::string("file:///a\0b.png", 16), path));
    EXPECT_EQ(path, "unchanged");
}

TEST(DriveCPath, SlashesBecomeBackslashesUnderC) {
    EXPECT_EQ(driveCPath("windows/temp/grabnik-portal.png"),
              "C:\\windows\\temp\\grabnik-portal.png");
}

// The picture handed to Grabnik: a BMP whose headers Windows reads, the
// bottom row first, each pixel composited over black.
TEST(BmpHeaders, DescribeA32BitPictureBottomRowFirst) {
    const std::string headers = bmpHeaders(3, 2);
    ASSERT_EQ(headers.size(), BmpHeadersSize);
    auto field = [&](size_t at, int bytes) {
        uint32_t value = 0;
        for (int i = bytes; i-- > 0;) value = value << 8 | uint8_t(headers[at + size_t(i)]);
        return value;
    };
    EXPECT_EQ(headers.substr(0, 2), "BM");
    EXPECT_EQ(field(2, 4), 54u + 24u);  // the file's size
    EXPECT_EQ(field(10, 4), 54u);       // where the pixels start
    EXPECT_EQ(field(14, 4), 40u);       // BITMAPINFOHEADER
    EXPECT_EQ(field(18, 4), 3u);
    EXPECT_EQ(field(22, 4), 2u);  // positive: bottom-up
    EXPECT_EQ(field(26, 2), 1u);
    EXPECT_EQ(field(28, 2), 32u);
    EXPECT_EQ(field(30, 4), 0u);  // BI_RGB
    EXPECT_EQ(field(34, 4), 24u);
}

TEST(BmpHeaders, NoneForNoPixelsOrMoreThanABmpHolds) {
    EXPECT_EQ(bmpHeaders(0, 2), "");
    EXPECT_EQ(bmpHeaders(2, 0), "");
    EXPECT_EQ(bmpHeaders(65536, 16384), "");  // 4 bytes a pixel overflow 32 bits
    EXPECT_EQ(bmpHeaders(32767, 32767).size(), BmpHeadersSize);
}

TEST(CompositeOverBlack, ScalesEachChannelByAlpha) {
    uint8_t pixels[] = {200, 100, 50, 255, 200, 100, 50, 128, 200, 100, 50, 0};
    compositeOverBlack(pixels, 3);
    const uint8_t expected[] = {200, 100, 50, 0, 100, 50, 25, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(pixels), std::end(pixels), std::begin(expected)));
}

}  // namespace
