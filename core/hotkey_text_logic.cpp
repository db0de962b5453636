#include "hotkey_text_logic.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int MaxTokens = 5;
constexpr int MaxTokenLength = 8;

struct Keyword {
    const char* word;
    unsigned modifier;  // non-zero for modifier keywords
    unsigned key;       // non-zero for key keywords
};

const Keyword keywords[] = {
    {"win", HotkeyModWin, 0},
    {"alt", HotkeyModAlt, 0},
    {"ctrl", HotkeyModControl, 0},
    {"shift", HotkeyModShift, 0},
    {"tab", 0, 9},
    {"enter", 0, 13},
    {"space", 0, 32},
    {"esc", 0, 27},
    {"ins", 0, 45},
    {"del", 0, 46},
    {"up", 0, 38},
    {"down", 0, 40},
    {"left", 0, 37},
    {"right", 0, 39},
    {"home", 0, 36},
    {"end", 0, 35},
};

// Folds only A-Z: the locale must not decide what a keyword is.
char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equalsKeyword(const char* token, const char* word) {
    for (; *token && *word; ++token, ++word)
        if (asciiLower(*token) != *word) return false;
    return *token == *word;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The next '(' and the first ')' after it, from `from` on: the brackets of
// a hotkey text as findHotkeyCodes pairs them. Both null when there is no
// such pair.
struct BracketPair {
    const char* open;
    const char* close;
};
BracketPair nextBracketPair(const char* from) {
    const char* open = std::strchr(from, '(');
    const char* close = open ? std::strchr(open + 1, ')') : nullptr;
    return close ? BracketPair{open, close} : BracketPair{nullptr, nullptr};
}

bool equalsIgnoringCase(const char* text, size_t count, const char* word) {
    if (std::strlen(word) != count) return false;
    for (size_t i = 0; i < count; ++i)
        if (asciiLower(text[i]) != asciiLower(word[i])) return false;
    return true;
}

void appendModifiers(char*& out, unsigned mods) {
    // Always in this order, whatever order the user ticked them in.
    if (mods & HotkeyModControl) out += std::sprintf(out, "ctrl+");
    if (mods & HotkeyModAlt) out += std::sprintf(out, "alt+");
    if (mods & HotkeyModShift) out += std::sprintf(out, "shift+");
    if (mods & HotkeyModWin) out += std::sprintf(out, "win+");
}

}  // namespace

HotkeyCode parseHotkeyText(const char* text, size_t count) {
    if (text == nullptr || count == 0) return 0;

    // Zero-filled, so a slot that never received a character reads as empty.
    char tokens[MaxTokens][MaxTokenLength + 1] = {};
    int slot = 0;
    int length = 0;
    for (size_t i = 0; i < count; ++i) {
        // A full token ends the whole scan, even when a '+' would follow.
        if (slot >= MaxTokens || length >= MaxTokenLength) break;
        if (text[i] == '+') {
            ++slot;
            length = 0;
        } else {
            tokens[slot][length++] = text[i];
        }
    }

    unsigned mods = 0;
    unsigned key = 0;
    for (const char* token : tokens) {
        if (token[0] == '\0') break;  // "++" or a leading '+' ends the evaluation
        const Keyword* match = nullptr;
        for (const Keyword& k : keywords)
            if (equalsKeyword(token, k.word)) match = &k;
        if (match) {
            mods |= match->modifier;
            if (match->key) key = match->key;
        } else if (token[1] == '\0') {
            key = static_cast<unsigned char>(token[0]);  // taken unchanged: 's' is not 'S'
        }
    }
    return makeHotkeyCode(mods, key);
}

HotkeyPair findHotkeyCodes(const char* argumentText) {
    HotkeyPair pair = {0, 0};
    const BracketPair first = nextBracketPair(argumentText);
    if (!first.close) return pair;  // without the first pair neither hotkey is read
    pair.selection = parseHotkeyText(first.open + 1, size_t(first.close - first.open - 1));

    const BracketPair second = nextBracketPair(first.close + 1);
    if (second.close)
        pair.file = parseHotkeyText(second.open + 1, size_t(second.close - second.open - 1));
    return pair;
}

void composeHotkeyArguments(const HotkeyPair& hotkeys, char* out) {
    *out++ = '(';
    appendModifiers(out, hotkeyModifiers(hotkeys.selection));
    out += std::sprintf(out, "%c) (", char(hotkeyKey(hotkeys.selection)));
    appendModifiers(out, hotkeyModifiers(hotkeys.file));
    std::sprintf(out, "%c)", char(hotkeyKey(hotkeys.file)));
}

bool findOptionWord(const char* argumentText, const char* option) {
    // Without the first pair neither hotkey is read, so neither hides a word.
    const BracketPair first = nextBracketPair(argumentText);
    const BracketPair second = first.close ? nextBracketPair(first.close + 1) : first;
    auto insideHotkey = [&](const char* word) {
        for (const BracketPair& pair : {first, second})
            if (pair.open && word > pair.open && word < pair.close) return true;
        return false;
    };

    const char* word = argumentText;
    while (*word) {
        if (isBlank(*word)) {
            ++word;
            continue;
        }
        const char* end = word;
        while (*end && !isBlank(*end)) ++end;
        if (!insideHotkey(word) && equalsIgnoringCase(word, size_t(end - word), option))
            return true;
        word = end;
    }
    return false;
}

StartOptions findStartOptions(const char* argumentText) {
    return {findOptionWord(argumentText, AllMonitorsOption),
            findOptionWord(argumentText, MagnifierOption)};
}

void composeLauncherArguments(const StartOptions& options, const HotkeyPair& hotkeys, char* out) {
    if (options.allMonitors) out += std::sprintf(out, "%s ", AllMonitorsOption);
    if (options.magnifier) out += std::sprintf(out, "%s ", MagnifierOption);
    composeHotkeyArguments(hotkeys, out);
}
