#include "export/encoder_match_logic.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? char(c) : '?';
    return out;
}

struct ExtensionCase {
    const wchar_t* path;
    const wchar_t* extension;
};

TEST(FindExtension, TakesTheLastDotOfTheLastComponent) {
    const ExtensionCase cases[] = {
        {L"C:\\Temp\\tmpimg00.png", L".png"},
        {L"tmpimg00.PNG", L".PNG"},
        {L"archive.tar.gz", L".gz"},
        {L"*.JPEG", L".JPEG"},
        {L".png", L".png"},
        {L"name.", L"."},
        {L"C:\\my dir\\shot.png", L".png"},
        {L"C:\\Temp\\noextension", L""},
        {L"C:\\dir.png\\noextension", L""},  // a dot in a directory name is no extension
        {L"C:\\dir.png\\", L""},
        {L"shot.png backup", L""},  // a blank ends a component, as in the shell's rule
        {L"", L""},
    };
    for (const ExtensionCase& c : cases) {
        const wchar_t* found = findExtension(c.path);
        EXPECT_STREQ(found, c.extension) << narrow(c.path);
        // Always a suffix of the path itself: an empty result is its end.
        EXPECT_EQ(found, c.path + std::wcslen(c.path) - std::wcslen(c.extension)) << narrow(c.path);
    }
}

// The platform's encoders in the platform's order.
const std::vector<std::wstring> platformLists = {L"*.BMP;*.DIB;*.RLE", L"*.JPG;*.JPEG;*.JPE;*.JFIF",
                                                 L"*.GIF", L"*.TIFF;*.TIF", L"*.PNG"};

int choose(const std::vector<std::wstring>& lists, const wchar_t* extension) {
    return chooseEncoder(extension, int(lists.size()), [&](int i) { return lists[i].c_str(); });
}

struct ChoiceCase {
    const wchar_t* extension;
    int encoder;
};

TEST(ChooseEncoder, MatchesTheExtensionIgnoringTheCaseOfAsciiLetters) {
    const ChoiceCase cases[] = {
        {L".png", 4},
        {L".PNG", 4},
        {L".Png", 4},
        {L".pNg", 4},
        {L".bmp", 0},
        {L".rle", 0},
        {L".jpeg", 1},
        {L".JFIF", 1},
        {L".tif", 3},
        {L".TIFF", 3},
        {L".gif", 2},
        {L".pn", -1},
        {L".pngx", -1},
        {L"png", -1},  // neither prefix, suffix nor a
                       // missing dot
        {L".xyz", -1},
        {L".", -1},
        {L"", -1},  // no extension: every piece here has one
    };
    for (const ChoiceCase& c : cases)
        EXPECT_EQ(choose(platformLists, c.extension), c.encoder) << narrow(c.extension);
}

TEST(ChooseEncoder, FoldsNoLetterOutsideAsciiAToZ) {
    const std::vector<std::wstring> lists = {L"*.\u00C9PS", L"*.ICO", L"*.\u00E5"};
    const ChoiceCase cases[] = {
        {L".\u00C9ps", 0},   // only the ASCII letters fold
        {L".\u00E9ps", -1},  // e acute is not E acute
        {L".\u0131co", -1},  // dotless i is not I
        {L".\u0130CO", -1},  // dotted capital I is not I
        {L".\u00C5", -1},    // A ring is not a ring
        {L".\u00E5", 2},    {L".iCo", 1},
    };
    for (const ChoiceCase& c : cases)
        EXPECT_EQ(choose(lists, c.extension), c.encoder) << narrow(c.extension);
}

TEST(ChooseEncoder, TheFirstEncoderThatListsTheExtensionWins) {
    EXPECT_EQ(choose({L"*.PNG", L"*.png;*.APNG"}, L".png"), 0);
    EXPECT_EQ(choose({L"*.APNG", L"*.X;*.PNG", L"*.PNG"}, L".Png"), 1);
    EXPECT_EQ(choose({L"*.APNG", L"*.X;*.PNG", L"*.PNG"}, L".apng"), 0);
}

TEST(ChooseEncoder, SkipsEmptyPieces) {
    const std::vector<std::wstring> lists = {L"", L";", L";;*.GIF;;", L"*.BMP;", L";*.PNG"};
    EXPECT_EQ(choose(lists, L".gif"), 2);
    EXPECT_EQ(choose(lists, L".bmp"), 3);
    EXPECT_EQ(choose(lists, L".png"), 4);
    // An empty piece has no extension of its own to offer an extensionless path.
    EXPECT_EQ(choose(lists, L""), -1);
    // A piece without a dot does: its extension is empty too.
    EXPECT_EQ(choose({L"*.PNG", L"*"}, L""), 1);
}

TEST(ChooseEncoder, NoEncodersChooseNothing) { EXPECT_EQ(choose({}, L".png"), -1); }

}  // namespace
