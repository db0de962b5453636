#include "encoder_match_logic.h"

namespace {

const wchar_t* findExtension(const wchar_t* begin, const wchar_t* end) {
    const wchar_t* dot = nullptr;
    for (const wchar_t* c = begin; c != end; ++c) {
        if (*c == L'\\' || *c == L' ')
            dot = nullptr;
        else if (*c == L'.')
            dot = c;
    }
    return dot ? dot : end;
}

wchar_t foldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

// `extension` is null-terminated, the piece [begin, end) is not.
bool sameExtension(const wchar_t* begin, const wchar_t* end, const wchar_t* extension) {
    for (; begin != end; ++begin, ++extension)
        if (!*extension || foldAscii(*begin) != foldAscii(*extension)) return false;
    return !*extension;
}

const wchar_t* textEnd(const wchar_t* text) {
    while (*text) ++text;
    return text;
}

}  // namespace

const wchar_t* findExtension(const wchar_t* path) { return findExtension(path, textEnd(path)); }

bool patternListCarries(const wchar_t* patternList, const wchar_t* extension) {
    const wchar_t* piece = patternList;
    for (;;) {
        const wchar_t* end = piece;
        while (*end && *end != L';') ++end;
        if (end != piece && sameExtension(findExtension(piece, end), end, extension)) return true;
        if (!*end) return false;
        piece = end + 1;
    }
}
