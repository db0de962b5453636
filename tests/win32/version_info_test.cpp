// The version resource of the built grabnik.exe, read back the way a file's
// properties read it: through the translation the file itself declares.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "support/named_rows.h"

namespace {

using e2e::grabnikPath;

// The project's version, handed over by CMake, so that a resource that falls
// behind the project fails here.
const std::string projectVersion = std::to_string(GRABNIK_PROJECT_VERSION_MAJOR) + "." +
                                   std::to_string(GRABNIK_PROJECT_VERSION_MINOR) + "." +
                                   std::to_string(GRABNIK_PROJECT_VERSION_PATCH);

class VersionResource {
public:
    VersionResource() {
        const std::string path = grabnikPath();
        DWORD ignored = 0;
        block_.resize(GetFileVersionInfoSizeA(path.c_str(), &ignored));
        if (!block_.empty() &&
            !GetFileVersionInfoA(path.c_str(), 0, DWORD(block_.size()), block_.data()))
            block_.clear();
    }

    bool loaded() const { return !block_.empty(); }

    const VS_FIXEDFILEINFO* fixed() { return static_cast<const VS_FIXEDFILEINFO*>(value("\\")); }

    // A string of the first declared translation, or null.
    const char* string(const char* name) {
        struct Translation {
            WORD language, codePage;
        };
        const auto* first = static_cast<const Translation*>(value("\\VarFileInfo\\Translation"));
        if (!first) return nullptr;
        char path[96];
        wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", first->language, first->codePage, name);
        return static_cast<const char*>(value(path));
    }

private:
    void* value(const char* path) {
        void* found = nullptr;
        UINT length = 0;
        return VerQueryValueA(block_.data(), path, &found, &length) && length ? found : nullptr;
    }

    std::vector<BYTE> block_;
};

struct StringRow : NamedRow {
    std::string expected;
};

class VersionString : public testing::TestWithParam<StringRow> {};

TEST_P(VersionString, ReadsAsExpected) {
    VersionResource resource;
    ASSERT_TRUE(resource.loaded()) << "no version resource in " << grabnikPath();
    const char* text = resource.string(GetParam().name);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    GrabnikExe, VersionString,
    testing::Values(
        StringRow{"FileDescription", "Grabnik screen snipper"},
        StringRow{"FileVersion", projectVersion}, StringRow{"ProductVersion", projectVersion},
        StringRow{"ProductName", "Grabnik"}, StringRow{"OriginalFilename", "grabnik.exe"},
        StringRow{"InternalName", "grabnik"},
        StringRow{"LegalCopyright", "Copyright (c) 2026 the Grabnik authors. MIT License."}),
    NamedAfterRow());

TEST(VersionNumbers, AreTheProjectsInFileAndProductVersion) {
    VersionResource resource;
    ASSERT_TRUE(resource.loaded()) << "no version resource in " << grabnikPath();
    const VS_FIXEDFILEINFO* info = resource.fixed();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(GRABNIK_PROJECT_VERSION_MINOR, GRABNIK_PROJECT_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, GRABNIK_PROJECT_VERSION_PATCH);
    EXPECT_EQ(info->dwFileVersionMS, high);
    EXPECT_EQ(info->dwFileVersionLS, low);
    EXPECT_EQ(info->dwProductVersionMS, high);
    EXPECT_EQ(info->dwProductVersionLS, low);
    EXPECT_EQ(info->dwFileType, DWORD(VFT_APP));
}

}  // namespace
