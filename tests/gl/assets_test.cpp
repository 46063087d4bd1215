// The generated images as the programs see them: read by corvel's own loaders, drawn as textured
// quads and read back. Each must show what its name says, and every sheet must stay black at its edges.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "corvel/corvel.h"
#include "platform/dialog.h"
#include "tests/gl/support/gl_context.h"

namespace {

using gltest::GLTest;

// The build writes the images into the programs' run folder; the build tells this test where that is.
std::string run_file(const char* name) {
    const char* dir = std::getenv("CORVEL_RUN_DIR");
    return std::string(dir ? dir : ASSETS_DIR) + "/" + name;
}

struct Colour {
    double r = 0, g = 0, b = 0;
    double luminance() const { return 0.3 * r + 0.59 * g + 0.11 * b; }
};

// The back buffer after one frame: rows from the bottom, RGBA.
class Frame {
public:
    explicit Frame(std::vector<uint8_t> pixels) : pixels_(std::move(pixels)) {}

    Colour at(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * GLTest::kWidth + x) * 4;
        return {double(pixels_[i]), double(pixels_[i + 1]), double(pixels_[i + 2])};
    }
    // Mean colour of the pixels whose distance from the centre, as a fraction of the half-width, lies in
    // [inner, outer) and whose luminance is above `lit`.
    Colour ring(double inner, double outer, double lit = -1) const {
        Colour sum;
        int n = 0;
        const double half = GLTest::kWidth / 2.0;
        for (int y = 0; y < GLTest::kHeight; ++y) {
            for (int x = 0; x < GLTest::kWidth; ++x) {
                const double r = std::hypot(x + 0.5 - half, y + 0.5 - half) / half;
                const Colour c = at(x, y);
                if (r < inner || r >= outer || c.luminance() <= lit) continue;
                sum.r += c.r, sum.g += c.g, sum.b += c.b, ++n;
            }
        }
        if (n) sum.r /= n, sum.g /= n, sum.b /= n;
        return sum;
    }
    double edge_max() const {
        double most = 0;
        for (int k = 0; k < GLTest::kWidth; ++k) {
            for (const Colour& c : {at(k, 0), at(k, GLTest::kHeight - 1), at(0, k), at(GLTest::kWidth - 1, k)})
                most = std::max({most, c.r, c.g, c.b});
        }
        return most;
    }

private:
    std::vector<uint8_t> pixels_;
};

// The whole viewport textured with cell (across, down) of a sheet of `cols` x `rows` cells, counted
// from the top-left, with one texel per pixel for 64-pixel cells drawn over 256 pixels scaled up by four.
void draw_cell(int across, int down, int cols, int rows) {
    const float s0 = float(across) / cols, s1 = float(across + 1) / cols;
    const float t1 = 1.0f - float(down) / rows, t0 = t1 - 1.0f / rows;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1, 1, 1, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0), glVertex2f(-1, -1);
    glTexCoord2f(s1, t0), glVertex2f(1, -1);
    glTexCoord2f(s1, t1), glVertex2f(1, 1);
    glTexCoord2f(s0, t1), glVertex2f(-1, 1);
    glEnd();
}

void clear_to(float r, float g, float b) {
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Drawn as the explosion draws each layer: its blend function and alpha threshold.
struct Layer {
    const char* file;
    GLenum source, destination;
    float alpha_above;
};

const Layer kFlash{"flare01.tga", GL_ONE, GL_ONE_MINUS_SRC_COLOR, 0.0f};
const Layer kVapour{"CloudsParticles4.tga", GL_ONE, GL_ONE_MINUS_SRC_COLOR, 0.0f};
const Layer kFire{"ExplosionParticles.tga", GL_SRC_ALPHA, GL_ONE, 0.1f};
const Layer kSmoke{"CloudsParticles3.tga", GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 0.0f};

class AssetsTest : public GLTest {
protected:
    // A loader's complaint fails the test instead of waiting for a person to answer it.
    void SetUp() override {
        GLTest::SetUp();
        platform::set_message_box_handler([](const std::string& text, const std::string& caption, uint32_t) {
            ADD_FAILURE() << "message box \"" << caption << "\": " << text;
            return platform::IDOK;
        });
    }
    void TearDown() override {
        platform::set_message_box_handler(nullptr);
        GLTest::TearDown();
    }
    GLuint load(const Layer& layer) {
        GLuint name = 0;
        corvel::TEXTURELOADTGAID(run_file(layer.file).c_str(), name);
        EXPECT_NE(name, 0u) << layer.file << " did not load";
        glEnable(GL_BLEND);
        glBlendFunc(layer.source, layer.destination);
        glAlphaFunc(GL_GREATER, layer.alpha_above);
        glEnable(GL_ALPHA_TEST);
        return name;
    }
    static Frame frame() { return Frame(read_pixels(0, 0, kWidth, kHeight)); }
};

TEST_F(AssetsTest, SheetsReadAs32BitImagesOfTheirSize) {
    struct Case {
        const char* file;
        uint32_t width, height;
    };
    for (const Case& c : {Case{"flare01.tga", 128, 128}, Case{"CloudsParticles4.tga", 512, 256},
                          Case{"ExplosionParticles.tga", 512, 64}, Case{"CloudsParticles3.tga", 256, 256}}) {
        SCOPED_TRACE(c.file);
        corvel::TGATEXTURE image{};
        ASSERT_TRUE(corvel::LOADTGA(image, run_file(c.file).c_str()));
        EXPECT_EQ(image.BPP, 32u);
        EXPECT_EQ(image.WIDTH, c.width);
        EXPECT_EQ(image.HEIGHT, c.height);
        EXPECT_EQ(image.TYP, static_cast<uint32_t>(GL_RGBA));
        std::free(image.IMAGEDATA);
    }
}

TEST_F(AssetsTest, FlareHasAWhiteHotCoreInAWarmHaloAndBlackCorners) {
    load(kFlash);
    clear_to(0, 0, 0);
    draw_cell(0, 0, 1, 1);
    const Frame frame = this->frame();
    const Colour core = frame.ring(0, 0.05), halo = frame.ring(0.3, 0.5);
    EXPECT_GE(std::min({core.r, core.g, core.b}), 240.0);
    EXPECT_GT(halo.r, halo.g);
    EXPECT_GT(halo.g, halo.b);
    EXPECT_LT(halo.b, 0.6 * halo.r);
    EXPECT_GT(halo.luminance(), 40.0);
    EXPECT_EQ(frame.edge_max(), 0.0);
}

TEST_F(AssetsTest, FireCellsHaveAYellowCoreAndARedRim) {
    load(kFire);
    for (int cell = 0; cell < 8; ++cell) {
        SCOPED_TRACE(cell);
        clear_to(0, 0, 0);
        draw_cell(cell, 0, 8, 1);
        const Frame frame = this->frame();
        const Colour core = frame.ring(0, 0.15), rim = frame.ring(0.55, 0.85, 8);
        EXPECT_GT(core.r, 180.0);
        EXPECT_GT(core.g, 0.6 * core.r);  // yellow
        EXPECT_GT(rim.r, 2.5 * rim.g);    // red
        EXPECT_GT(core.luminance(), 2.0 * rim.luminance());
        EXPECT_EQ(frame.edge_max(), 0.0);
    }
}

TEST_F(AssetsTest, SmokeCellsAreGreyBrownOverABrightBackground) {
    load(kSmoke);
    for (int cell = 0; cell < 4; ++cell) {
        SCOPED_TRACE(cell);
        clear_to(1, 1, 1);
        draw_cell(cell, cell, 4, 4);
        const Frame frame = this->frame();
        const Colour puff = frame.ring(0, 0.3), edge = frame.ring(0.98, 2);
        EXPECT_LT(puff.luminance(), 215.0);  // it veils what lies behind
        EXPECT_GT(puff.luminance(), 90.0);   // but is no black soot
        EXPECT_GE(puff.r, puff.g);
        EXPECT_GE(puff.g, puff.b);
        EXPECT_GT(puff.r - puff.b, 5.0);   // a brown tint
        EXPECT_LT(puff.r - puff.b, 40.0);  // on grey
        EXPECT_EQ(std::min({edge.r, edge.g, edge.b}), 255.0);
    }
}

TEST_F(AssetsTest, VapourCellsArePaleAndFaint) {
    load(kVapour);
    const int used[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 1}, {6, 2}, {7, 3}};
    for (const auto& cell : used) {
        clear_to(0, 0, 0);
        draw_cell(cell[0], cell[1], 8, 4);
        const Frame frame = this->frame();
        const Colour wisp = frame.ring(0, 0.5);
        SCOPED_TRACE(testing::Message() << "cell " << cell[0] << ", " << cell[1]);
        EXPECT_GT(wisp.luminance(), 10.0);
        EXPECT_LT(wisp.luminance(), 80.0);  // hundreds of them overlap in the explosion
        EXPECT_GE(wisp.b, wisp.r);
        EXPECT_LT(wisp.b - wisp.r, 15.0);  // pale, barely tinted
        EXPECT_EQ(frame.edge_max(), 0.0);
    }
}

TEST_F(AssetsTest, FloorHasTilesAndTilesWithoutASeam) {
    corvel::TEXTURELOADID(run_file("Floor01.bmp").c_str(), 7);
    corvel::TEXTURESELECTID(7);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    clear_to(0, 0, 0);
    draw_cell(0, 0, 1, 1);
    const Frame frame = this->frame();
    const Colour all = frame.ring(0, 2);
    EXPECT_GT(all.r, all.b);  // warm stone, not blue: the BMP's B, G, R order came through
    constexpr int n = GLTest::kWidth;
    std::vector<double> column(n, 0.0), row(n, 0.0);
    double interior_sum = 0, interior_squares = 0, column_steps = 0, row_steps = 0;
    int interior = 0;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double l = frame.at(x, y).luminance();
            column[x] += l / n, row[y] += l / n;
            if (x + 1 < n) column_steps += std::fabs(l - frame.at(x + 1, y).luminance());
            if (y + 1 < n) row_steps += std::fabs(l - frame.at(x, y + 1).luminance());
            if (x % 64 >= 12 && x % 64 < 52 && y % 64 >= 12 && y % 64 < 52) {
                interior_sum += l, interior_squares += l * l, ++interior;
            }
        }
    }
    const double mean = interior_sum / interior;
    EXPECT_GT(std::sqrt(interior_squares / interior - mean * mean), 5.0) << "the stone has no texture";
    // Grout lines on the tile edges, four slabs across and down.
    for (int line : {0, 64, 128, 192}) {
        EXPECT_LT(column[line], 0.7 * mean) << "column " << line;
        EXPECT_LT(row[line], 0.7 * mean) << "row " << line;
    }
    // Seamless: across the picture's own edge the floor changes no more than between neighbours inside.
    double wrap_x = 0, wrap_y = 0;
    for (int k = 0; k < n; ++k) {
        wrap_x += std::fabs(frame.at(n - 1, k).luminance() - frame.at(0, k).luminance());
        wrap_y += std::fabs(frame.at(k, n - 1).luminance() - frame.at(k, 0).luminance());
    }
    EXPECT_LT(wrap_x / n, 2.0 * column_steps / ((n - 1) * n));
    EXPECT_LT(wrap_y / n, 2.0 * row_steps / ((n - 1) * n));
}

}  // namespace
