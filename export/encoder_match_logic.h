// Choosing an image encoder by a file's extension. Platform-free so that it
// is unit tested natively; the codecs give their pattern lists as wide text.
#pragma once

// The extension of the last component of `path`: the text from its last '.',
// dot included, or the empty text at the path's end when that component has
// no dot. A backslash or a space ends a component here, as in the shell's own
// rule, so a dot in a directory name is never an extension.
const wchar_t* findExtension(const wchar_t* path);

// Whether a ';'-separated pattern list such as "*.JPG;*.JPEG" carries
// `extension`. Empty pieces are skipped; each piece's extension is found as
// above and compared with only A-Z folded to a-z, so that no locale decides
// which letters match.
bool patternListCarries(const wchar_t* patternList, const wchar_t* extension);

// The index of the first of `count` pattern lists, in their order, that
// carries `extension`, or -1 when none does. `patternListAt(i)` gives list i.
template <class PatternListAt>
int chooseEncoder(const wchar_t* extension, int count, PatternListAt patternListAt) {
    for (int i = 0; i < count; ++i)
        if (patternListCarries(patternListAt(i), extension)) return i;
    return -1;
}
