#include "linux/portal_request_logic.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
