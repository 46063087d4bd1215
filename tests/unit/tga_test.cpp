// The TGA reader on tiny files written to a temporary folder: every refusal with its one message box,
// the pixel exchange of both image types, packet kinds, and the file closed after every call.
#include "corvel/tga.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "corvel/state.h"
#include "tests/unit/tga_bmp_files.h"

using namespace imagetest;
using corvel::LOADTGA;
using corvel::TGATEXTURE;

namespace {

constexpr uint8_t kPlain = 2;
constexpr uint8_t kRle = 10;

// B,G,R(,A) pixel values as stored, turned into the R,G,B(,A) order the reader delivers.
Bytes swapped(Bytes pixels, int bytes_per_pixel) {
    for (size_t i = 0; i + 2 < pixels.size(); i += bytes_per_pixel) std::swap(pixels[i], pixels[i + 2]);
    return pixels;
}

// `count` distinct pixel values.
Bytes distinct_pixels(int count, int bytes_per_pixel) {
    Bytes out;
    for (int i = 0; i < count * bytes_per_pixel; ++i) out.push_back(static_cast<uint8_t>(i * 7 + 1));
    return out;
}

class TgaReader : public ::testing::Test {
protected:
    // Reads `file` (written unless null) and checks what holds after every call: the file closed, no
    // descriptor left open, TEXID untouched.
    bool read(const Bytes* file) {
        const std::string path = file ? dir.write("image.tga", *file) : dir.path("missing.tga");
        const int files_before = open_file_count();
        image.TEXID = 77;
        const bool ok = LOADTGA(image, path.c_str());
        EXPECT_EQ(corvel::FTGA, nullptr);
        EXPECT_EQ(open_file_count(), files_before);
        EXPECT_EQ(image.TEXID, 77u);
        return ok;
    }

    bool read(const Bytes& file) { return read(&file); }

    Bytes pixels() const {
        const size_t size = size_t{image.WIDTH} * image.HEIGHT * image.BPP / 8;
        return Bytes(image.IMAGEDATA, image.IMAGEDATA + size);
    }

    void TearDown() override { std::free(image.IMAGEDATA); }

    TempDir dir;
    BoxRecorder recorder;
    TGATEXTURE image = {};
};

struct Refusal {
    std::string name;
    bool exists;
    Bytes file;
    std::string text;
    std::string caption;
};

// Test listings show the case by its name, not by its bytes.
void PrintTo(const Refusal& value, std::ostream* out) { *out << value.name; }

std::vector<Refusal> refusals() {
    const std::string info = "Invalid texture information";
    const std::string memory = "Could not allocate memory for image";
    const std::string too_many = "Too many pixels read";
    const Bytes px24 = {1, 2, 3};
    const Bytes px32 = {1, 2, 3, 4};
    std::vector<Refusal> table = {
        {"Missing", false, {}, "Could not open texture file", "ERROR"},
        {"Empty", true, {}, "Could not read file header", "ERROR"},
        {"ElevenBytes", true, Bytes(11, 0), "Could not read file header", "ERROR"},
        {"PlainShortPixels", true, tga_file(kPlain, 2, 2, 24, Bytes(11, 9)), "Could not read image data", "ERROR"},
        {"PlainNoPixels", true, tga_file(kPlain, 1, 1, 32, {}), "Could not read image data", "ERROR"},
        {"RleNoPackets", true, tga_file(kRle, 2, 2, 24, {}), "Could not read RLE header", "ERROR"},
        {"RlePacketsStopShort", true, tga_file(kRle, 2, 2, 24, Bytes{0x81} + px24 + Bytes{0x00} + px24),
         "Could not read RLE header", "ERROR"},
        {"RleRawValueCut", true, tga_file(kRle, 2, 2, 24, Bytes{0x02} + px24 + Bytes{4, 5}),
         "Could not read image data", "ERROR"},
        {"RleRunValueCut", true, tga_file(kRle, 2, 2, 32, {0x83, 1, 2, 3}), "Could not read from file", "ERROR"},
        {"RleRunOverflow24", true, tga_file(kRle, 2, 2, 24, Bytes{0x84} + px24), too_many, "ERROR"},
        {"RleRunOverflow32", true, tga_file(kRle, 2, 2, 32, Bytes{0x84} + px32), too_many, "ERROR"},
        {"RleRawOverflow", true, tga_file(kRle, 2, 2, 24, Bytes{0x04} + distinct_pixels(5, 3)), too_many, "ERROR"},
        {"RleSecondPacketOverflow", true, tga_file(kRle, 2, 2, 32, Bytes{0x82} + px32 + Bytes{0x81} + px32), too_many,
         "ERROR"},
        // At the size cap the buffer is granted; the missing pixels are what fails.
        {"PlainAtSizeCap", true, tga_file(kPlain, 8192, 8192, 32, {}), "Could not read image data", "ERROR"},
        {"RleAtSizeCap", true, tga_file(kRle, 8192, 8192, 32, {}), "Could not read RLE header", "ERROR"},
    };
    for (const uint8_t type : {kPlain, kRle}) {
        const std::string kind = type == kPlain ? "Plain" : "Rle";
        const Bytes signature = tga_file(type, 1, 1, 24, {});
        table.push_back({kind + "InfoHeaderShort", true, Bytes(signature.begin(), signature.begin() + 17),
                         "Could not read info header", "ERROR"});
        table.push_back({kind + "ZeroWidth", true, tga_file(type, 0, 1, 24, px24), info, "ERROR"});
        table.push_back({kind + "ZeroHeight", true, tga_file(type, 1, 0, 24, px24), info, "ERROR"});
        for (const uint8_t bpp : {0, 8, 15, 16, 33}) {
            table.push_back(
                {kind + "Depth" + std::to_string(bpp), true, tga_file(type, 1, 1, bpp, px32), info, "ERROR"});
        }
        // 65535 x 65535 x 4 is 17 GB: beyond 32 bits and beyond any sane buffer.
        table.push_back({kind + "Largest32", true, tga_file(type, 65535, 65535, 32, px32), memory, "ERROR"});
        table.push_back({kind + "Largest24", true, tga_file(type, 65535, 65535, 24, px24), memory, "ERROR"});
        table.push_back({kind + "JustOverSizeCap", true, tga_file(type, 8192, 8193, 32, px32), memory, "ERROR"});
    }
    // Any byte off the two 12-byte patterns refuses the file, though most such files are valid TGAs.
    const Bytes valid = tga_file(kPlain, 1, 1, 24, px24);
    for (size_t offset = 0; offset < 12; ++offset) {
        if (offset == 2) continue;
        Bytes file = valid;
        file[offset] = 1;
        table.push_back(
            {"Offset" + std::to_string(offset) + "Set", true, file, "TGA file be type 2 or type 10", "Invalid Image"});
    }
    for (const uint8_t type : {0, 1, 3, 9, 11, 32, 33}) {
        table.push_back({"Type" + std::to_string(type), true, tga_file(type, 1, 1, 24, px24),
                         "TGA file be type 2 or type 10", "Invalid Image"});
    }
    Bytes rle_with_origin = tga_file(kRle, 1, 1, 24, Bytes{0x80} + px24);
    rle_with_origin[10] = 1;
    table.push_back({"RleWithYOrigin", true, rle_with_origin, "TGA file be type 2 or type 10", "Invalid Image"});
    return table;
}

class TgaRefusal : public TgaReader, public ::testing::WithParamInterface<Refusal> {};

TEST_P(TgaRefusal, ShowsExactlyOneBoxAndReleasesEverything) {
    const Refusal& refusal = GetParam();
    EXPECT_FALSE(read(refusal.exists ? &refusal.file : nullptr));
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, refusal.text);
    EXPECT_EQ(recorder.boxes[0].caption, refusal.caption);
    EXPECT_EQ(recorder.boxes[0].style, 0u);
    EXPECT_EQ(image.IMAGEDATA, nullptr);
}

INSTANTIATE_TEST_SUITE_P(FailureTable, TgaRefusal, ::testing::ValuesIn(refusals()),
                         [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

TEST_F(TgaReader, OnePixelOf24BitsHasBlueAndRedExchanged) {
    ASSERT_TRUE(read(tga_file(kPlain, 1, 1, 24, {0x10, 0x20, 0x30})));
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_EQ(pixels(), (Bytes{0x30, 0x20, 0x10}));
    EXPECT_EQ(image.TYP, 0x1907u);
    EXPECT_EQ(image.BPP, 24u);
    EXPECT_EQ(image.WIDTH, 1u);
    EXPECT_EQ(image.HEIGHT, 1u);
}

TEST_F(TgaReader, ThirtyTwoBitPixelsKeepGreenAndAlphaInBothTypes) {
    const Bytes expected = {3, 2, 1, 4};
    const Bytes files[] = {
        tga_file(kPlain, 1, 1, 32, {1, 2, 3, 4}),
        tga_file(kRle, 1, 1, 32, {0x00, 1, 2, 3, 4}),
        tga_file(kRle, 1, 1, 32, {0x80, 1, 2, 3, 4}),
    };
    for (const Bytes& file : files) {
        ASSERT_TRUE(read(file));
        EXPECT_EQ(pixels(), expected);
        EXPECT_EQ(image.TYP, 0x1908u);
        EXPECT_EQ(image.BPP, 32u);
        std::free(image.IMAGEDATA);
        image.IMAGEDATA = nullptr;
    }
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(TgaReader, PlainImageIsSwappedPixelByPixelAndSizesAreKept) {
    const Bytes stored = distinct_pixels(15, 3);
    ASSERT_TRUE(read(tga_file(kPlain, 5, 3, 24, stored)));
    EXPECT_EQ(pixels(), swapped(stored, 3));
    EXPECT_EQ(corvel::TGA.WIDTH, 5u);
    EXPECT_EQ(corvel::TGA.HEIGH, 3u);
    EXPECT_EQ(corvel::TGA.BPP, 24u);
    EXPECT_EQ(corvel::TGA.BYTESPERPIXEL, 3u);
    EXPECT_EQ(corvel::TGA.IMAGESIZE, 45u);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(corvel::TGAHEADER.HEADER[i], corvel::UTGACOMPARE[i]);
}

struct Packet {
    uint8_t header;
    int pixels;
    bool run;
};

TEST_F(TgaReader, PacketHeadersCarryOneTo128Pixels) {
    for (const Packet packet :
         {Packet{0x00, 1, false}, Packet{0x7F, 128, false}, Packet{0x80, 1, true}, Packet{0xFF, 128, true}}) {
        SCOPED_TRACE(packet.header);
        const Bytes values = distinct_pixels(packet.run ? 1 : packet.pixels, 4);
        Bytes expected;
        for (int i = 0; i < (packet.run ? packet.pixels : 1); ++i) expected = expected + swapped(values, 4);
        ASSERT_TRUE(read(tga_file(kRle, packet.pixels, 1, 32, Bytes{packet.header} + values)));
        EXPECT_EQ(pixels(), expected);
        std::free(image.IMAGEDATA);
        image.IMAGEDATA = nullptr;
    }
}

TEST_F(TgaReader, RunOfFourFillsTwoByTwo) {
    for (const uint8_t bpp : {24, 32}) {
        const Bytes value = {9, 8, 7, 6};
        const int size = bpp / 8;
        const Bytes stored(value.begin(), value.begin() + size);
        ASSERT_TRUE(read(tga_file(kRle, 2, 2, bpp, Bytes{0x83} + stored)));
        Bytes expected;
        for (int i = 0; i < 4; ++i) expected = expected + swapped(stored, size);
        EXPECT_EQ(pixels(), expected);
        std::free(image.IMAGEDATA);
        image.IMAGEDATA = nullptr;
    }
}

TEST_F(TgaReader, PacketsRunOnAcrossRows) {
    const Bytes a = {1, 2, 3}, b = {4, 5, 6}, c = {7, 8, 9}, d = {10, 11, 12};
    // 3 x 2: raw a b, run of three c (ends the first row, starts the second), raw d.
    ASSERT_TRUE(read(tga_file(kRle, 3, 2, 24, Bytes{0x01} + a + b + Bytes{0x82} + c + Bytes{0x00} + d)));
    EXPECT_EQ(pixels(), swapped(a + b + c + c + c + d, 3));
}

TEST_F(TgaReader, BytesAfterTheLastPixelAreIgnored) {
    const Bytes footer = {0,   0,   0,   0,   0,   0,   0,   0,   'T', 'R', 'U', 'E', 'V',
                          'I', 'S', 'I', 'O', 'N', '-', 'X', 'F', 'I', 'L', 'E', '.', 0};
    const Bytes value = {1, 2, 3};
    ASSERT_TRUE(read(tga_file(kPlain, 1, 1, 24, value + footer)));
    EXPECT_EQ(pixels(), swapped(value, 3));
    std::free(image.IMAGEDATA);
    image.IMAGEDATA = nullptr;
    // A whole extra packet after the image is full is never looked at.
    ASSERT_TRUE(read(tga_file(kRle, 1, 1, 24, Bytes{0x80} + value + Bytes{0xFF} + value + footer)));
    EXPECT_EQ(pixels(), swapped(value, 3));
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(TgaReader, TopLeftOriginIsReadInFileOrder) {
    const Bytes first_row = {1, 2, 3}, second_row = {4, 5, 6};
    for (const uint8_t type : {kPlain, kRle}) {
        const Bytes data = type == kPlain ? first_row + second_row : Bytes{0x01} + first_row + second_row;
        ASSERT_TRUE(read(tga_file(type, 1, 2, 24, data, 0x20)));
        EXPECT_EQ(pixels(), swapped(first_row + second_row, 3));
        std::free(image.IMAGEDATA);
        image.IMAGEDATA = nullptr;
    }
}

TEST_F(TgaReader, ARefusalAfterASuccessLeavesTheNextReadClean) {
    ASSERT_TRUE(read(tga_file(kPlain, 1, 1, 24, {1, 2, 3})));
    uint8_t* first = image.IMAGEDATA;
    image.IMAGEDATA = nullptr;
    EXPECT_FALSE(read(tga_file(kRle, 2, 2, 24, {0x84, 1, 2, 3})));
    ASSERT_TRUE(read(tga_file(kRle, 2, 1, 24, {0x81, 4, 5, 6})));
    EXPECT_EQ(pixels(), (Bytes{6, 5, 4, 6, 5, 4}));
    EXPECT_EQ(recorder.boxes.size(), 1u);
    std::free(first);
}

}  // namespace
