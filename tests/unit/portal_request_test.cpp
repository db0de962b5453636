#include "linux/portal_request_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "case_names.h"

namespace {

TEST(PortalRequestPath, TheSendersNameWithoutColonAndDotsBecomeUnderscores) {
    EXPECT_EQ(portalRequestPath(":1.42", "grabnik3"),
              "/org/freedesktop/portal/desktop/request/1_42/grabnik3");
    EXPECT_EQ(portalRequestPath(":12.3.4", "t"),
              "/org/freedesktop/portal/desktop/request/12_3_4/t");
}

struct UriRow {
    const char* name;
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
        UriRow{"plain", "file:///tmp/out.png", true, "/tmp/out.png"},
        UriRow{"localhost", "file://localhost/root/Screenshot.png", true, "/root/Screenshot.png"},
        UriRow{"escapes", "file:///home/a/Bilder/Bildschirmfoto%20vom%202024%2Fx%c3%a4.png", true,
               "/home/a/Bilder/Bildschirmfoto vom 2024/x\xc3\xa4.png"},
        UriRow{"upper_case_escape", "file:///a%3Ab", true, "/a:b"},
        UriRow{"other_host", "file://server/tmp/out.png", false, ""},
        UriRow{"other_scheme", "https:///tmp/out.png", false, ""},
        UriRow{"no_path", "file://", false, ""},
        UriRow{"empty", "", false, ""},
        UriRow{"short_escape", "file:///a%2", false, ""},
        UriRow{"bad_escape", "file:///a%zz.png", false, ""},
        UriRow{"escaped_nul", "file:///a%00.png", false, ""}),
    NamedAfterRow());

TEST(FileUri, ARawNulIsRefused) {
    std::string path = "unchanged";
    EXPECT_FALSE(pathOfFileUri(std::string("file:///a\0b.png", 16), path));
    EXPECT_EQ(path, "unchanged");
}

TEST(DriveCPath, SlashesBecomeBackslashesUnderC) {
    EXPECT_EQ(driveCPath("windows/temp/grabnik-portal.png"), "C:\\windows\\temp\\grabnik-portal.png");
}

}  // namespace
