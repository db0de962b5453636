// The encoder choice: the extension found is the last component's own, and
// whether a pattern list carries it depends neither on how the list is split
// nor on the case of A-Z, while other letters are never folded.
//
// Input: a path, then two pattern lists, one a line. Each byte becomes one
// wide character of the same value (Latin-1), so that letters such as 0xC0
// and 0xE0, which a locale would fold, are tried too.
#include "export/encoder_match_logic.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

namespace {

std::wstring widen(const std::string& bytes) {
    std::wstring wide;
    for (char c : bytes) {
        if (c == '\0') break;  // the texts are null-terminated
        wide += wchar_t(static_cast<unsigned char>(c));
    }
    return wide;
}

bool endsComponent(wchar_t c) { return c == L'\\' || c == L' '; }

// The other case of a letter: of A-Z alone, or of the Latin-1 letters
// beyond them too (0xC0-0xDE and 0xE0-0xFE, but for the signs 0xD7 and 0xF7).
wchar_t otherCase(wchar_t c, bool beyondAscii) {
    if (c >= L'A' && c <= L'Z') return wchar_t(c - L'A' + L'a');
    if (c >= L'a' && c <= L'z') return wchar_t(c - L'a' + L'A');
    if (!beyondAscii || c == 0xD7 || c == 0xF7) return c;
    if (c >= 0xC0 && c <= 0xDE) return wchar_t(c + 0x20);
    if (c >= 0xE0 && c <= 0xFE) return wchar_t(c - 0x20);
    return c;
}

std::wstring toggleCase(std::wstring text, bool beyondAscii = false) {
    for (wchar_t& c : text) c = otherCase(c, beyondAscii);
    return text;
}

void checkExtension(const std::wstring& path) {
    const wchar_t* extension = findExtension(path.c_str());
    FUZZ_REQUIRE(extension >= path.c_str() && extension <= path.c_str() + path.size());
    const std::wstring tail(extension);
    const size_t componentStart = path.find_last_of(L"\\ ") + 1;  // 0 when there is none
    if (tail.empty()) {
        FUZZ_REQUIRE(path.find(L'.', componentStart) == std::wstring::npos);
    } else {
        // The last dot of the last component.
        FUZZ_REQUIRE(tail[0] == L'.');
        FUZZ_REQUIRE(size_t(extension - path.c_str()) >= componentStart);
        FUZZ_REQUIRE(tail.find(L'.', 1) == std::wstring::npos);
    }
    for (wchar_t c : tail) FUZZ_REQUIRE(!endsComponent(c));
}

void checkPatternLists(const std::wstring& path, const std::wstring& first,
                       const std::wstring& second) {
    const wchar_t* extension = findExtension(path.c_str());
    const bool inFirst = patternListCarries(first.c_str(), extension);
    const bool inSecond = patternListCarries(second.c_str(), extension);
    const std::wstring joined = first + L";" + second;
    FUZZ_REQUIRE(patternListCarries(joined.c_str(), extension) == (inFirst || inSecond));

    FUZZ_REQUIRE(patternListCarries(toggleCase(first).c_str(), extension) == inFirst);
    const std::wstring toggledExtension = toggleCase(extension);
    FUZZ_REQUIRE(patternListCarries(first.c_str(), toggledExtension.c_str()) == inFirst);
    // No locale folds the other letters: a pattern that differs from the
    // extension in one of them does not carry it.
    const std::wstring otherLetters = toggleCase(extension, true);
    if (otherLetters != toggledExtension)
        FUZZ_REQUIRE(!patternListCarries((L"*" + otherLetters).c_str(), extension));

    // A path is a pattern list of one piece that carries its own extension.
    if (!path.empty() && path.find(L';') == std::wstring::npos)
        FUZZ_REQUIRE(patternListCarries(path.c_str(), extension));

    const std::wstring* lists[] = {&first, &second, &joined};
    const int chosen = chooseEncoder(extension, 3, [&](int i) { return lists[i]->c_str(); });
    const int expected = inFirst ? 0 : inSecond ? 1 : -1;
    FUZZ_REQUIRE(chosen == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* text = reinterpret_cast<const char*>(bytes);
    const char* end = text + size;
    const std::wstring path = widen(nextLine(text, end));
    const std::wstring first = widen(nextLine(text, end));
    const std::wstring second = widen(nextLine(text, end));
    checkExtension(path);
    checkPatternLists(path, first, second);
    return 0;
}
