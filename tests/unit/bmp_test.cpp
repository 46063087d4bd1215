// BMP files without a display: the depth probe, the blue/red exchange, and bitmap loading into the
// Windows in-memory layout (bottom-up rows padded to 4 bytes, B,G,R or B,G,R,X) with its handle calls.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "corvel/texture.h"
#include "platform/gdi.h"
#include "tests/unit/tga_bmp_files.h"

using namespace imagetest;
using corvel::GETBMPDEPTH;

namespace {

constexpr uint32_t kLoadFlags =
    platform::LR_LOADFROMFILE | platform::LR_LOADTRANSPARENT | platform::LR_CREATEDIBSECTION;

// A pixel value that differs in every channel for every position.
Bytes colour(int x, int row) {
    return {static_cast<uint8_t>(10 + x * 20), static_cast<uint8_t>(100 + row * 30), static_cast<uint8_t>(250 - x),
            static_cast<uint8_t>(5 + x + row * 8)};
}

platform::HBITMAP load(const std::string& path) {
    return platform::load_image(0, path.c_str(), platform::IMAGE_BITMAP, 0, 0, kLoadFlags);
}

platform::BITMAP describe(platform::HBITMAP bitmap) {
    platform::BITMAP record = {};
    EXPECT_EQ(platform::get_object(bitmap, sizeof record, &record), static_cast<int32_t>(sizeof record));
    return record;
}

Bytes bits_of(const platform::BITMAP& record) {
    const auto* bits = static_cast<const uint8_t*>(record.bmBits);
    return Bytes(bits, bits + static_cast<size_t>(record.bmWidthBytes) * record.bmHeight);
}

struct Probe {
    std::string name;
    Bytes file;
    int32_t depth;
};

// Test listings show the case by its name, not by its bytes.
void PrintTo(const Probe& value, std::ostream* out) { *out << value.name; }

Bytes with_field(Bytes file, size_t offset, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    return file;
}

std::vector<Probe> probes() {
    const Bytes pixels(16, 0);
    const Bytes bmp24 = bmp_file(2, 2, 24, pixels);
    std::vector<Probe> table = {
        {"NotBM", with_field(bmp24, 0, {'M', 'B'}), 0},
        {"CoreHeader", with_field(bmp24, 14, {12, 0, 0, 0}), 0},
        {"LaterHeaderVersion", with_field(bmp24, 14, {124, 0, 0, 0}), 24},
        {"Empty", {}, 0},
        {"OnlyTheLetters", {'B', 'M'}, 0},
        {"FileHeaderOnly", Bytes(bmp24.begin(), bmp24.begin() + 14), 0},
        {"InfoHeaderCut", Bytes(bmp24.begin(), bmp24.begin() + 53), 0},
        {"BothHeadersNoPixels", Bytes(bmp24.begin(), bmp24.begin() + 54), 24},
    };
    for (const uint16_t depth : {1, 4, 8, 16, 24, 32}) {
        table.push_back({"Depth" + std::to_string(depth), bmp_file(2, 2, depth, pixels), depth});
    }
    return table;
}

class BmpDepth : public ::testing::TestWithParam<Probe> {
protected:
    TempDir dir;
};

TEST_P(BmpDepth, ReadsTheBitCountOfTheInfoHeader) {
    const int files_before = open_file_count();
    EXPECT_EQ(GETBMPDEPTH(dir.write("probe.bmp", GetParam().file).c_str()), GetParam().depth);
    EXPECT_EQ(open_file_count(), files_before);
}

INSTANTIATE_TEST_SUITE_P(Headers, BmpDepth, ::testing::ValuesIn(probes()),
                         [](const ::testing::TestParamInfo<Probe>& info) { return info.param.name; });

TEST(BmpDepthOf, MissingOrUnreadableFileIsZero) {
    TempDir dir;
    EXPECT_EQ(GETBMPDEPTH(dir.path("missing.bmp").c_str()), 0);
    // A folder exists but reads no bytes.
    EXPECT_EQ(GETBMPDEPTH(dir.path("").c_str()), 0);
}

TEST(SwapRgb, ExchangesFirstAndThirdByteOfConsecutiveGroupsOnly) {
    Bytes data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    corvel::SWAPRGB(data.data(), 3);
    EXPECT_EQ(data, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 10}));
}

class BitmapLoading : public ::testing::Test {
protected:
    void TearDown() override {
        for (const platform::HBITMAP bitmap : loaded) platform::delete_object(bitmap);
    }

    platform::HBITMAP keep(platform::HBITMAP bitmap) {
        if (bitmap) loaded.push_back(bitmap);
        return bitmap;
    }

    TempDir dir;
    std::vector<platform::HBITMAP> loaded;
};

TEST_F(BitmapLoading, TwentyFourBitRowsStayBottomUpAndPadded) {
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const Bytes rows = bmp_rows(width, 3, 3, colour);
        const platform::HBITMAP bitmap = keep(load(dir.write("rgb.bmp", bmp_file(width, 3, 24, rows))));
        ASSERT_NE(bitmap, 0u);
        const platform::BITMAP record = describe(bitmap);
        EXPECT_EQ(record.bmType, 0);
        EXPECT_EQ(record.bmWidth, width);
        EXPECT_EQ(record.bmHeight, 3);
        EXPECT_EQ(record.bmWidthBytes, (3 * width + 3) / 4 * 4);
        EXPECT_EQ(record.bmPlanes, 1);
        EXPECT_EQ(record.bmBitsPixel, 24);
        // The file is stored bottom row first with padded rows too: the same bytes.
        EXPECT_EQ(bits_of(record), rows);
    }
}

TEST_F(BitmapLoading, TopDownFileIsTurnedBottomUp) {
    const Bytes top_down = bmp_rows(3, 2, 3, colour);
    const platform::HBITMAP bitmap = keep(load(dir.write("top.bmp", bmp_file(3, -2, 24, top_down))));
    ASSERT_NE(bitmap, 0u);
    const platform::BITMAP record = describe(bitmap);
    EXPECT_EQ(record.bmHeight, 2);
    EXPECT_EQ(bits_of(record), bmp_rows(3, 2, 3, [](int x, int row) { return colour(x, 1 - row); }));
}

TEST_F(BitmapLoading, ThirtyTwoBitPixelsKeepTheirFourthByte) {
    const Bytes rows = bmp_rows(3, 2, 4, colour);
    const platform::HBITMAP bitmap = keep(load(dir.write("argb.bmp", bmp_file(3, 2, 32, rows))));
    ASSERT_NE(bitmap, 0u);
    const platform::BITMAP record = describe(bitmap);
    EXPECT_EQ(record.bmBitsPixel, 32);
    EXPECT_EQ(record.bmWidthBytes, 12);
    EXPECT_EQ(bits_of(record), rows);
}

TEST_F(BitmapLoading, PalettedFileBecomesTwentyFourBitColours) {
    const Bytes palette = {0, 0, 0, 0, 200, 100, 50, 0, 1, 2, 3, 0};  // B, G, R, 0 per entry
    const Bytes indices = {1, 2, 0, 0, 2, 1, 1, 0};                   // 3 x 2, rows padded to 4 bytes
    const platform::HBITMAP bitmap = keep(load(dir.write("pal.bmp", bmp_file(3, 2, 8, indices, palette))));
    ASSERT_NE(bitmap, 0u);
    const platform::BITMAP record = describe(bitmap);
    EXPECT_EQ(record.bmBitsPixel, 24);
    EXPECT_EQ(bits_of(record), (Bytes{200, 100, 50, 1,   2,   3,  0,   0,   0,  0, 0, 0,  // first row stored
                                      1,   2,   3,  200, 100, 50, 200, 100, 50, 0, 0, 0}));
}

TEST_F(BitmapLoading, UnloadableRequestsGiveNoHandle) {
    const std::string good = dir.write("good.bmp", bmp_file(2, 2, 24, bmp_rows(2, 2, 3, colour)));
    EXPECT_EQ(load(dir.path("missing.bmp")), 0u);
    EXPECT_EQ(load(dir.write("junk.bmp", {'B', 'M', 1, 2, 3})), 0u);
    EXPECT_EQ(load(dir.write("short.bmp", bmp_file(4, 4, 24, Bytes(10, 0)))), 0u);
    Bytes one_byte_short = bmp_file(64, 64, 32, bmp_rows(64, 64, 4, colour));
    one_byte_short.pop_back();
    EXPECT_EQ(load(dir.write("one-short.bmp", one_byte_short)), 0u);
    // A header claiming 65535 x 65535 pixels is refused without trying to hold them.
    EXPECT_EQ(load(dir.write("huge.bmp", bmp_file(65535, 65535, 32, Bytes(16, 0)))), 0u);
    EXPECT_EQ(load(dir.write("huge-top-down.bmp", bmp_file(65535, -65535, 24, Bytes(16, 0)))), 0u);
    // A core header cut one byte short, claiming 65534 x 65535 pixels.
    EXPECT_EQ(load(dir.write("cut-core.bmp", {'B', 'M', 0x46, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF, 0, 0, 0, 12, 0, 0, 0,
                                               0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 24})),
              0u);
    EXPECT_EQ(platform::load_image(0, good.c_str(), 1 /* IMAGE_ICON */, 0, 0, kLoadFlags), 0u);
    EXPECT_EQ(platform::load_image(0, good.c_str(), platform::IMAGE_BITMAP, 0, 0, 0), 0u);
    EXPECT_EQ(platform::load_image(0, good.c_str(), platform::IMAGE_BITMAP, 4, 4, kLoadFlags), 0u);
    EXPECT_NE(keep(load(good)), 0u);
}

TEST_F(BitmapLoading, GetObjectReportsSizeAndRefusesSmallBuffersAndDeadHandles) {
    const platform::HBITMAP bitmap = load(dir.write("rgb.bmp", bmp_file(2, 2, 24, bmp_rows(2, 2, 3, colour))));
    ASSERT_NE(bitmap, 0u);
    const auto size = static_cast<int32_t>(sizeof(platform::BITMAP));
    EXPECT_EQ(platform::get_object(bitmap, 0, nullptr), size);
    platform::BITMAP record = {};
    EXPECT_EQ(platform::get_object(bitmap, size - 1, &record), 0);
    EXPECT_EQ(record.bmBits, nullptr);
    EXPECT_TRUE(platform::delete_object(bitmap));
    EXPECT_FALSE(platform::delete_object(bitmap));
    EXPECT_EQ(platform::get_object(bitmap, size, &record), 0);
    EXPECT_EQ(platform::get_object(0, size, &record), 0);
    EXPECT_FALSE(platform::delete_object(0));
    // A new bitmap in the freed slot is not reachable through the old handle.
    const platform::HBITMAP next = keep(load(dir.path("rgb.bmp")));
    ASSERT_NE(next, 0u);
    EXPECT_NE(next, bitmap);
    EXPECT_EQ(platform::get_object(bitmap, size, &record), 0);
}

}  // namespace
