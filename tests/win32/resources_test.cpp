// The resources that grabnik.exe carries, read back from the built program
// through the platform's own resource and dialog functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace {

std::string grabnikPath() {
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/")) + "\\grabnik.exe";
}

class GrabnikResources : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(grabnikPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    // The bytes of one resource, or empty.
    std::vector<BYTE> resource(LPCSTR type, LPCSTR name) const {
        HRSRC found = FindResourceA(module_, name, type);
        if (!found) return {};
        auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
        return std::vector<BYTE>(data, data + SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct GroupEntry {  // one image of an icon or cursor group
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(GrabnikResources, IconIsOne32x32ImageIn16Colours) {
    std::vector<BYTE> group = resource(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_GRABNIK));
    ASSERT_EQ(group.size(), 6 + sizeof(GroupEntry));
    const auto* entry = reinterpret_cast<const GroupEntry*>(group.data() + 6);
    EXPECT_EQ(entry->width, 32);
    EXPECT_EQ(entry->height, 32);
    EXPECT_EQ(entry->colours, 16);
    EXPECT_EQ(entry->bitCount, 4);
}

TEST_F(GrabnikResources, BrushCursorInvertsA16x16OutlineAroundItsHotSpot) {
    std::vector<BYTE> group = resource(RT_GROUP_CURSOR, MAKEINTRESOURCEA(IDC_BRUSH));
    ASSERT_FALSE(group.empty());
    const int id = LookupIconIdFromDirectoryEx(group.data(), FALSE, 32, 32, LR_MONOCHROME);
    std::vector<BYTE> image = resource(RT_CURSOR, MAKEINTRESOURCEA(id));
    ASSERT_FALSE(image.empty());
    HICON cursor = CreateIconFromResourceEx(image.data(), DWORD(image.size()), FALSE, 0x00030000,
                                            32, 32, LR_MONOCHROME);
    ASSERT_NE(cursor, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 8u);
    EXPECT_EQ(info.yHotspot, 7u);
    ASSERT_EQ(info.hbmColor, nullptr) << "monochrome: one mask bitmap, AND over XOR";

    BITMAP mask;
    ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
    ASSERT_EQ(mask.bmWidth, 32);
    ASSERT_EQ(mask.bmHeight, 64);
    std::vector<BYTE> bits(size_t(mask.bmWidthBytes) * 64);
    GetBitmapBits(info.hbmMask, LONG(bits.size()), bits.data());
    auto bit = [&](int x, int y) {
        return (bits[y * mask.bmWidthBytes + x / 8] >> (7 - x % 8)) & 1;
    };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool outline = x < 16 && y < 16 && (x == 0 || x == 15 || y == 0 || y == 15);
            ASSERT_EQ(bit(x, y), 1) << "AND mask keeps the screen at " << x << "," << y;
            ASSERT_EQ(bit(x, y + 32), outline ? 1 : 0) << "XOR mask at " << x << "," << y;
        }
    }
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

TEST_F(GrabnikResources, ManifestDeclaresDpiAwarenessAndNothingElse) {
    std::vector<BYTE> bytes = resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    ASSERT_FALSE(bytes.empty());
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("manifestVersion=\"1.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_EQ(manifest.find("dependency"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
}

INT_PTR CALLBACK ignoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The dialog template, instantiated from the program's resource and examined
// control by control.
class SetupDialogTemplate : public GrabnikResources {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GrabnikResources::SetUp());
        std::vector<BYTE> bytes = resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_HOTKEY_SETUP));
        ASSERT_FALSE(bytes.empty());
        template_ = bytes;
        dialog_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEA>(template_.data()),
                                             nullptr, ignoreMessages, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        GrabnikResources::TearDown();
    }

    std::vector<BYTE> template_;
    HWND dialog_ = nullptr;
};

TEST_F(SetupDialogTemplate, HasTheCaptionFontStylesAndSize) {
    // DLGTEMPLATEEX: dlgVer 1, signature 0xFFFF.
    const WORD* words = reinterpret_cast<const WORD*>(template_.data());
    ASSERT_EQ(words[0], 1);
    ASSERT_EQ(words[1], 0xFFFF);
    const DWORD style = *reinterpret_cast<const DWORD*>(template_.data() + 12);
    const DWORD exStyle = *reinterpret_cast<const DWORD*>(template_.data() + 8);
    EXPECT_EQ(style,
              DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SHELLFONT));
    EXPECT_EQ(exStyle, 0u);
    EXPECT_EQ(words[8], 13) << "controls";
    EXPECT_EQ(words[11], 144) << "width";
    EXPECT_EQ(words[12], 111) << "height";

    // After the header: menu, class, caption, then point size, weight,
    // italic, charset and the face name.
    const WORD* p = words + 13;
    EXPECT_EQ(*p++, 0) << "no menu";
    EXPECT_EQ(*p++, 0) << "no class of its own";
    std::wstring caption;
    while (*p) caption += wchar_t(*p++);
    ++p;
    EXPECT_EQ(caption, L"Grabnik Hotkey Setup");
    EXPECT_EQ(p[0], 8) << "points";
    EXPECT_EQ(p[1], 400) << "normal weight";
    const BYTE* italicAndCharset = reinterpret_cast<const BYTE*>(p + 2);
    EXPECT_EQ(italicAndCharset[0], 0);
    EXPECT_EQ(italicAndCharset[1], DEFAULT_CHARSET);
    std::wstring face;
    for (p += 3; *p; ++p) face += wchar_t(*p);
    EXPECT_EQ(face, L"MS Shell Dlg");

    char text[64];
    GetWindowTextA(dialog_, text, sizeof text);
    EXPECT_STREQ(text, "Grabnik Hotkey Setup");
}

struct ControlRow {
    int id;
    const char* className;
    DWORD styles;  // beyond WS_CHILD | WS_VISIBLE
    const char* text;
    int x, y, w, h;
};

const DWORD CheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD KeyList = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;

// In template order, which is the tab order.
const ControlRow controls[] = {
    {IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, "Set", 45, 92, 50, 14},
    {IDC_SEL_CONTROL, "Button", CheckBox, "Control", 17, 15, 39, 10},
    {IDC_SEL_ALT, "Button", CheckBox, "Alt", 59, 15, 25, 10},
    {IDC_SEL_SHIFT, "Button", CheckBox, "Shift", 17, 26, 31, 10},
    {IDC_SEL_WIN, "Button", CheckBox, "Win", 59, 26, 28, 10},
    {-1, "Button", BS_GROUPBOX, "Screen selection key", 7, 3, 130, 40},
    {-1, "Button", BS_GROUPBOX, "Screen-to-file key", 7, 47, 130, 40},
    {IDC_SEL_KEY, "ComboBox", KeyList, "", 93, 18, 31, 30},
    {IDC_FILE_CONTROL, "Button", CheckBox, "Control", 17, 60, 39, 10},
    {IDC_FILE_ALT, "Button", CheckBox, "Alt", 59, 60, 25, 10},
    {IDC_FILE_SHIFT, "Button", CheckBox, "Shift", 17, 71, 31, 10},
    {IDC_FILE_WIN, "Button", CheckBox, "Win", 59, 71, 28, 10},
    {IDC_FILE_KEY, "ComboBox", KeyList, "", 93, 63, 31, 30},
};

// A name in a template: an ordinal (0xFFFF, then the value) or a string.
std::string readNameOrOrdinal(const WORD*& p) {
    if (*p == 0xFFFF) {
        const WORD ordinal = p[1];
        p += 2;
        switch (ordinal) {  // the predefined control classes
        case 0x80:
            return "Button";
        case 0x85:
            return "ComboBox";
        default:
            return "#" + std::to_string(ordinal);
        }
    }
    std::string text;
    while (*p) text += char(*p++);
    ++p;
    return text;
}

TEST_F(SetupDialogTemplate, HasTheThirteenControlsInTabOrder) {
    const WORD* p = reinterpret_cast<const WORD*>(template_.data()) + 13;
    readNameOrOrdinal(p);  // menu
    readNameOrOrdinal(p);  // class
    readNameOrOrdinal(p);  // caption
    p += 3;                // points, weight, italic and charset
    readNameOrOrdinal(p);  // face
    for (const ControlRow& row : controls) {
        SCOPED_TRACE(row.text);
        // Every item starts on a DWORD boundary.
        const BYTE* item = reinterpret_cast<const BYTE*>(p);
        item += (4 - (item - template_.data()) % 4) % 4;
        ASSERT_LT(size_t(item - template_.data()), template_.size());
        const DWORD style = *reinterpret_cast<const DWORD*>(item + 8);
        const short* box = reinterpret_cast<const short*>(item + 12);
        EXPECT_EQ(int(*reinterpret_cast<const int*>(item + 20)), row.id);
        EXPECT_EQ(style, WS_CHILD | WS_VISIBLE | row.styles);
        EXPECT_EQ(box[0], row.x);
        EXPECT_EQ(box[1], row.y);
        EXPECT_EQ(box[2], row.w);
        EXPECT_EQ(box[3], row.h);
        p = reinterpret_cast<const WORD*>(item + 24);
        EXPECT_STRCASEEQ(readNameOrOrdinal(p).c_str(), row.className);
        EXPECT_EQ(readNameOrOrdinal(p), row.text);
        const WORD extraBytes = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extraBytes);
    }
}

TEST_F(SetupDialogTemplate, InstantiatesWithEveryControl) {
    for (const ControlRow& row : controls) {
        if (row.id == -1) continue;
        HWND control = GetDlgItem(dialog_, row.id);
        ASSERT_NE(control, nullptr) << row.id;
        char name[32];
        GetClassNameA(control, name, sizeof name);
        EXPECT_STRCASEEQ(name, row.className);
    }
}

}  // namespace
