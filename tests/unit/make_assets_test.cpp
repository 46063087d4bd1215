// The image generator run as the build runs it: same bytes every time, and files in exactly the
// formats the programs' readers take, with every sprite cell fading to transparent black at its border.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const char* const kImages[] = {"Floor01.bmp", "flare01.tga", "CloudsParticles4.tga", "ExplosionParticles.tga",
                               "CloudsParticles3.tga"};

fs::path fresh_dir() {
    std::string pattern = (fs::temp_directory_path() / "make-assets-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

int run_make_assets(const std::string& arguments) {
    const std::string command = std::string("'") + MAKE_ASSETS_PATH + "' " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Bytes read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned le16(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
uint32_t le32(const Bytes& b, size_t at) {
    return le16(b, at) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}

class MakeAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fresh_dir();
        ASSERT_FALSE(dir_.empty());
        ASSERT_EQ(run_make_assets("'" + dir_.string() + "'"), 0);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static Bytes image(const std::string& name) { return read_file(dir_ / name); }

    static fs::path dir_;
};
fs::path MakeAssets::dir_;

TEST_F(MakeAssets, WritesTheSameBytesOnEveryRun) {
    const fs::path again = fresh_dir();
    ASSERT_EQ(run_make_assets("'" + again.string() + "'"), 0);
    for (const char* name : kImages) {
        const Bytes first = image(name);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == read_file(again / name)) << name << " differs between runs";
    }
    fs::remove_all(again);
}

TEST(MakeAssetsErrors, RefusesAMissingOrUnwritableOutputFolder) {
    EXPECT_EQ(run_make_assets(""), 2);
    EXPECT_NE(run_make_assets("/nonexistent-folder/for/make-assets"), 0);
}

TEST_F(MakeAssets, FloorIsA256By256BottomUp24BitBmp) {
    const Bytes bmp = image("Floor01.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(le16(bmp, 0), 0x4D42u);
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);  // pixels right after both headers
    EXPECT_EQ(le32(bmp, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(le32(bmp, 18), 256u);
    EXPECT_EQ(le32(bmp, 22), 256u);  // positive height: rows from the bottom
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 24u);
    EXPECT_EQ(le32(bmp, 30), 0u);  // uncompressed
    EXPECT_EQ(bmp.size(), 54u + 256u * 256u * 3u);
}

// A decoded TGA: pixels B, G, R, A in file order, and what kinds of packet carried them.
struct Decoded {
    unsigned width = 0, height = 0;
    std::vector<uint32_t> pixels;
    int raw_packets = 0, run_packets = 0;
    std::string error;

    uint32_t at(unsigned x, unsigned stored_row) const { return pixels[stored_row * width + x]; }
};

uint32_t pixel_at(const Bytes& b, size_t at) {
    return le32(b, at);
}

Decoded decode_tga(const Bytes& b, uint8_t expected_type) {
    Decoded d;
    const auto fail = [&d](const char* why) {
        d.error = why;
        return d;
    };
    if (b.size() < 18) return fail("short header");
    const Bytes signature = {0, 0, expected_type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (!std::equal(signature.begin(), signature.end(), b.begin())) return fail("bad signature");
    d.width = le16(b, 12);
    d.height = le16(b, 14);
    if (b[16] != 32) return fail("not 32 bits");
    const size_t count = static_cast<size_t>(d.width) * d.height;
    size_t at = 18;
    while (d.pixels.size() < count) {
        if (expected_type == 2) {
            if (at + 4 > b.size()) return fail("short pixels");
            d.pixels.push_back(pixel_at(b, at));
            at += 4;
            continue;
        }
        if (at >= b.size()) return fail("short packets");
        const uint8_t h = b[at++];
        const size_t n = (h & 0x7F) + 1u;
        if (d.pixels.size() + n > count) return fail("packet past the last pixel");
        if (h & 0x80) {
            if (at + 4 > b.size()) return fail("short run");
            d.pixels.insert(d.pixels.end(), n, pixel_at(b, at));
            at += 4;
            ++d.run_packets;
        } else {
            if (at + 4 * n > b.size()) return fail("short raw packet");
            for (size_t k = 0; k < n; ++k) d.pixels.push_back(pixel_at(b, at + 4 * k));
            at += 4 * n;
            ++d.raw_packets;
        }
    }
    if (at != b.size()) d.error = "bytes after the last pixel";
    return d;
}

struct Sheet {
    const char* name;
    uint8_t type;
    unsigned width, height, across, down;
};

const Sheet kSheets[] = {
    {"flare01.tga", 2, 128, 128, 1, 1},
    {"CloudsParticles4.tga", 10, 512, 256, 8, 4},
    {"ExplosionParticles.tga", 10, 512, 64, 8, 1},
    {"CloudsParticles3.tga", 10, 256, 256, 4, 4},
};

TEST_F(MakeAssets, SheetsAre32BitTgaOfTheirTypeAndSize) {
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(sheet.name);
        const Decoded d = decode_tga(image(sheet.name), sheet.type);
        ASSERT_EQ(d.error, "");
        EXPECT_EQ(d.width, sheet.width);
        EXPECT_EQ(d.height, sheet.height);
        if (sheet.type == 10) {
            EXPECT_GT(d.raw_packets, 0);
            EXPECT_GT(d.run_packets, 0);
        }
    }
}

TEST_F(MakeAssets, EveryCellFadesToTransparentBlackAndNoTwoCellsAreAlike) {
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(sheet.name);
        const Decoded d = decode_tga(image(sheet.name), sheet.type);
        ASSERT_EQ(d.error, "");
        const unsigned cw = sheet.width / sheet.across, ch = sheet.height / sheet.down;
        std::set<std::vector<uint32_t>> cells;
        for (unsigned cy = 0; cy < sheet.down; ++cy) {
            for (unsigned cx = 0; cx < sheet.across; ++cx) {
                std::vector<uint32_t> cell;
                int border_lit = 0;
                uint32_t brightest_alpha = 0;
                for (unsigned y = 0; y < ch; ++y) {
                    for (unsigned x = 0; x < cw; ++x) {
                        const uint32_t p = d.at(cx * cw + x, cy * ch + y);
                        cell.push_back(p);
                        const bool border = x == 0 || y == 0 || x == cw - 1 || y == ch - 1;
                        if (border && p != 0) ++border_lit;
                        brightest_alpha = std::max(brightest_alpha, p >> 24);
                    }
                }
                EXPECT_EQ(border_lit, 0) << "cell " << cx << ", " << cy;
                EXPECT_GT(brightest_alpha, 128u) << "cell " << cx << ", " << cy << " is empty";
                cells.insert(cell);
            }
        }
        EXPECT_EQ(cells.size(), static_cast<size_t>(sheet.across * sheet.down));
    }
}

}  // namespace
