#include "shortcut_arguments.h"

#include <cstdint>

namespace {

// The shell link format's fixed header and the flags that say which
// optional parts follow it, in this order.
constexpr uint32_t HeaderSize = 0x4C;
constexpr size_t FlagsOffset = 20;
constexpr uint32_t HasTargetIdList = 0x01;
constexpr uint32_t HasLinkInfo = 0x02;
constexpr uint32_t HasName = 0x04;
constexpr uint32_t HasRelativePath = 0x08;
constexpr uint32_t HasWorkingDir = 0x10;
constexpr uint32_t HasArguments = 0x20;
constexpr uint32_t IsUnicode = 0x80;

// Reads the little-endian fields in turn; once a read runs past the end
// every later read fails too.
class Reader {
public:
    Reader(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool ok() const { return ok_; }
    uint32_t read(size_t width) {
        if (!skip(width)) return 0;
        uint32_t value = 0;
        for (size_t i = width; i-- > 0;) value = (value << 8) | bytes_[at_ - width + i];
        return value;
    }
    bool skip(size_t count) {
        ok_ = ok_ && count <= size_ - at_;
        if (ok_) at_ += count;
        return ok_;
    }

private:
    const unsigned char* bytes_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

// One of the counted strings of the string-data part.
std::string readCountedString(Reader& reader, bool unicode) {
    const uint32_t count = reader.read(2);
    std::string text;
    for (uint32_t i = 0; i < count && reader.ok(); ++i) {
        const uint32_t c = reader.read(unicode ? 2 : 1);
        text += c < 0x80 ? char(c) : '?';
    }
    return text;
}

}  // namespace

bool readShortcutArguments(const unsigned char* bytes, size_t size, std::string& arguments) {
    Reader reader(bytes, size);
    if (reader.read(4) != HeaderSize) return false;
    reader.skip(FlagsOffset - 4);
    const uint32_t flags = reader.read(4);
    reader.skip(HeaderSize - FlagsOffset - 4);
    if (flags & HasTargetIdList) reader.skip(reader.read(2));
    if (flags & HasLinkInfo) {
        // The link-info size counts its own four bytes.
        const uint32_t linkInfoSize = reader.read(4);
        if (linkInfoSize < 4) return false;
        reader.skip(linkInfoSize - 4);
    }
    if (!(flags & HasArguments)) return false;
    const bool unicode = (flags & IsUnicode) != 0;
    for (uint32_t before : {HasName, HasRelativePath, HasWorkingDir})
        if (flags & before) readCountedString(reader, unicode);
    std::string text = readCountedString(reader, unicode);
    if (!reader.ok()) return false;
    arguments = text;
    return true;
}

std::vector<std::string> argumentWords(const std::string& arguments) {
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = arguments.find_first_not_of(" \t", at)) != std::string::npos) {
        const size_t end = arguments.find_first_of(" \t", at);
        words.push_back(arguments.substr(at, end - at));
        at = end;
    }
    return words;
}
