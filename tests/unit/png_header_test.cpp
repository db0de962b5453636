#include "export/png_header_logic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/named_rows.h"

namespace {

using Bytes = std::vector<unsigned char>;

void putBigEndian(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

// A chunk with a zero CRC: the check does not read CRCs, the codecs do.
void putChunk(Bytes& out, const char* type, const Bytes& data) {
    putBigEndian(out, uint32_t(data.size()));
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, 0);
}

struct Header {
    uint32_t width = 3, height = 2;
    unsigned char depth = 8, colourType = 6, compression = 0, filter = 0, interlace = 0;
};

Bytes ihdr(const Header& h) {
    Bytes data;
    putBigEndian(data, h.width);
    putBigEndian(data, h.height);
    data.insert(data.end(), {h.depth, h.colourType, h.compression, h.filter, h.interlace});
    return data;
}

// Signature, IHDR, a text chunk, one IDAT, IEND: 8 + 25 + 16 + 17 + 12 bytes.
Bytes png(const Header& h = {}) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", ihdr(h));
    putChunk(out, "tEXt", {'a', 0, 'b', 'c'});
    putChunk(out, "IDAT", {1, 2, 3, 4, 5});
    putChunk(out, "IEND", {});
    return out;
}

constexpr size_t Whole = 78;

Bytes with(void (*change)(Bytes&), const Header& h = {}) {
    Bytes bytes = png(h);
    change(bytes);
    return bytes;
}

struct BlockCase : NamedRow {
    Bytes block;
    bool accepted;
    size_t length;
    uint32_t width = 3, height = 2;
};

class CheckPngBlock : public testing::TestWithParam<BlockCase> {};

TEST_P(CheckPngBlock, AcceptsOnlyAWholePngInsideTheBlock) {
    const BlockCase& c = GetParam();
    // A heap copy of exactly the block's size: the sanitizer reports any
    // read past it.
    std::vector<unsigned char> block(c.block);
    PngExtent extent = {};
    ASSERT_EQ(checkPngBlock(block.data(), block.size(), &extent), c.accepted);
    if (!c.accepted) return;
    EXPECT_EQ(extent.length, c.length);
    EXPECT_EQ(extent.width, c.width);
    EXPECT_EQ(extent.height, c.height);
}

Header header(void (*change)(Header&)) {
    Header h;
    change(h);
    return h;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, CheckPngBlock,
    testing::Values(
        BlockCase{"Exact", png(), true, Whole},
        BlockCase{"RoundedUpBlock", with([](Bytes& b) { b.resize(b.size() + 9, 0xEE); }), true,
                  Whole},
        BlockCase{"PaletteOfOneBit", png(header([](Header& h) { h.depth = 1, h.colourType = 3; })),
                  true, Whole},
        BlockCase{"Adam7", png(header([](Header& h) { h.interlace = 1; })), true, Whole},
        BlockCase{"Empty", {}, false, 0},
        BlockCase{"BadMagic", with([](Bytes& b) { b[1] = 'p'; }), false, 0},
        BlockCase{"SignatureOnly", with([](Bytes& b) { b.resize(8); }), false, 0},
        BlockCase{"TruncatedInIend", with([](Bytes& b) { b.pop_back(); }), false, 0},
        BlockCase{"NoIend", with([](Bytes& b) { b.resize(Whole - 12); }), false, 0},
        BlockCase{"ChunkClaimsMoreThanTheBlock", with([](Bytes& b) { b[8 + 25 + 3] = 200; }), false,
                  0},
        BlockCase{"ChunkLengthPastTwoToThe31", with([](Bytes& b) { b[8 + 25] = 0x80; }), false, 0},
        BlockCase{"IhdrOfAnotherLength", with([](Bytes& b) { b[11] = 14; }), false, 0},
        BlockCase{"IhdrNotFirst", with([](Bytes& b) { b[12] = 'i'; }), false, 0},
        BlockCase{"SecondIhdr", with([](Bytes& b) {
                      b[8 + 25 + 4] = 'I', b[8 + 25 + 5] = 'H', b[8 + 25 + 6] = 'D',
                                 b[8 + 25 + 7] = 'R';
                  }),
                  false, 0},
        BlockCase{"NoIdat", with([](Bytes& b) { b[8 + 25 + 16 + 4] = 'x'; }), false, 0},
        BlockCase{"IendWithData", with([](Bytes& b) {
                      b.resize(Whole - 12);
                      putChunk(b, "IEND", {0});
                  }),
                  false, 0},
        BlockCase{"NoWidth", png(header([](Header& h) { h.width = 0; })), false, 0},
        BlockCase{"NoHeight", png(header([](Header& h) { h.height = 0; })), false, 0},
        BlockCase{"WidthPastTwoToThe31", png(header([](Header& h) { h.width = 0x80000000u; })),
                  false, 0},
        // 23170^2 * 4 bytes is just below 2^31; one more row is past it.
        BlockCase{"LargestDecodedImage",
                  png(header([](Header& h) { h.width = 23170, h.height = 23170; })), true, Whole,
                  23170, 23170},
        BlockCase{"DecodedPastTwoToThe31",
                  png(header([](Header& h) { h.width = 23170, h.height = 23171; })), false, 0},
        BlockCase{"RgbOfFourBits", png(header([](Header& h) { h.depth = 4, h.colourType = 2; })),
                  false, 0},
        BlockCase{"PaletteOfSixteenBits",
                  png(header([](Header& h) { h.depth = 16, h.colourType = 3; })), false, 0},
        BlockCase{"ColourTypeFive", png(header([](Header& h) { h.colourType = 5; })), false, 0},
        BlockCase{"OtherCompression", png(header([](Header& h) { h.compression = 1; })), false, 0},
        BlockCase{"OtherFilter", png(header([](Header& h) { h.filter = 1; })), false, 0},
        BlockCase{"OtherInterlace", png(header([](Header& h) { h.interlace = 2; })), false, 0}),
    NamedAfterRow());

}  // namespace
