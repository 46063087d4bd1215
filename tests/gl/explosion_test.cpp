// The layered explosion on a real context: when each layer switches on and in which order the layers
// are drawn, restarts, re-initialising, the texture left bound, the counter's limit, and the same first
// explosion in every process.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "corvel/state.h"
#include "explosion/cvl_explosion.h"
#include "tests/gl/explosion_support.h"
#include "tests/gl/support/feedback.h"
#include "tests/gl/support/gl_context.h"

using namespace CVL_Explosion;
using explosion_test::layer_fields;
using explosion_test::zeroed;

namespace {

using layer_array = corvel::TARRAY<TGLFX_PARTICLE, 0, 799>;

// In the order the layers are drawn, with the call from which each runs. Each gets its own sheet width
// (cells across), so the s-extent of a received sprite tells which layer drew it.
struct Layer {
    const char* name;
    layer_array TGLEXPLOSION::*array;
    int first_call;
    int rows;
};
const Layer drawn_order[] = {
    {"flash", &TGLEXPLOSION::LAMPO, 16, 1},
    {"vapour", &TGLEXPLOSION::VAPORE, 40, 2},
    {"smoke", &TGLEXPLOSION::FUMO, 46, 4},
    {"fire", &TGLEXPLOSION::VAMPA, 35, 3},
};

const char* layer_of(const gltest::FeedbackPrimitive& primitive) {
    float lo = primitive.vertices[0].s, hi = lo;
    for (const auto& v : primitive.vertices) lo = std::fmin(lo, v.s), hi = std::fmax(hi, v.s);
    for (const Layer& layer : drawn_order) {
        if (std::fabs((hi - lo) * layer.rows - 1.0f) < 1e-4f) return layer.name;
    }
    return "unknown";
}

// The layers that drew, in drawing order, one entry per run of primitives from the same layer.
std::vector<std::string> layers_drawn(const std::vector<gltest::FeedbackPrimitive>& primitives) {
    std::vector<std::string> out;
    for (const auto& p : primitives) {
        const std::string name = layer_of(p);
        if (out.empty() || out.back() != name) out.push_back(name);
    }
    return out;
}

class ExplosionFrame : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        flat_view(40, 200);
        glEnable(GL_CULL_FACE);
        glGenTextures(4, textures_);
        for (const GLuint t : textures_) glBindTexture(GL_TEXTURE_2D, t);
        glBindTexture(GL_TEXTURE_2D, 0);
        exp_ = zeroed<TGLEXPLOSION>();
        INITGLOBEEXPLOSION(*exp_);
    }
    void TearDown() override {
        glDeleteTextures(4, textures_);
        GLTest::TearDown();
    }

    GLuint flash() const { return textures_[0]; }
    GLuint fire() const { return textures_[2]; }

    // One frame with the demo's sheets.
    void frame() {
        GENGLOBEEXPLOSION(*exp_, 1, 1, 8, 4, 8, 1, 4, 4, textures_[0], textures_[1], textures_[2], textures_[3]);
    }
    // One frame with a different sheet width per layer.
    void marked_frame() {
        GENGLOBEEXPLOSION(*exp_, 1, 1, 2, 1, 3, 1, 4, 1, textures_[0], textures_[1], textures_[2], textures_[3]);
    }

    // Each layer down to one emitter that shows at the centre in every frame it runs.
    void one_steady_sprite_per_layer() {
        for (const Layer& layer : drawn_order) {
            TGLFX_PARTICLE& e = ((*exp_).*layer.array)[0];
            e.MAXOBJ = 1;
            e.LIFESPAN = 0.0f;
            e.SIZE = -0.5f;
            e.POS = {0, 0, 0};
            e.ANG = 0;
        }
    }

    float frames_shown(const Layer& layer) const { return ((*exp_).*layer.array)[0].SPEED.X; }

    GLuint textures_[4] = {};
    explosion_test::zeroed_ptr<TGLEXPLOSION> exp_;
};

TEST_F(ExplosionFrame, LayersSwitchOnAtTheirCallsAndDrawFlashVapourSmokeFire) {
    one_steady_sprite_per_layer();
    for (int call = 1; call <= 50; ++call) {
        SCOPED_TRACE(call);
        const auto primitives = gltest::capture_feedback([&] { marked_frame(); });
        EXPECT_EQ(exp_->NNMFASE, call);
        std::vector<std::string> expected;
        for (const Layer& layer : drawn_order) {
            if (call >= layer.first_call) expected.push_back(layer.name);
            EXPECT_EQ(frames_shown(layer), static_cast<float>(std::max(0, call - layer.first_call + 1))) << layer.name;
        }
        EXPECT_EQ(layers_drawn(primitives), expected);
        // Every texture is bound whether its layer runs or not; the fire's is bound last.
        EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), fire());
    }
}

TEST_F(ExplosionFrame, FirstFifteenCallsDrawNothingAndChangeNothingButTheTexture) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    corvel::LOCKVIEWMODELSCALE = true;
    const auto before = layer_fields(*exp_, layer_array::COUNT);
    for (int call = 1; call <= 15; ++call) {
        EXPECT_TRUE(gltest::capture_feedback([&] { frame(); }).empty()) << call;
        EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), fire());
    }
    EXPECT_EQ(exp_->NNMFASE, 15);
    EXPECT_TRUE(layer_fields(*exp_, layer_array::COUNT) == before);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_DST_COLOR);
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_FALSE);
    EXPECT_TRUE(corvel::LOCKVIEWMODELSCALE);

    // The 16th runs the flash layer, with its set-up and tear-down.
    frame();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(corvel::LOCKVIEWMODELSCALE);
}

TEST_F(ExplosionFrame, RestartBeforeEveryFrameHoldsTheExplosionAtItsStart) {
    for (int call = 0; call < 60; ++call) {
        RESETGLOBEEXPLOSION(*exp_);
        EXPECT_TRUE(gltest::capture_feedback([&] { frame(); }).empty()) << call;
        EXPECT_EQ(exp_->NNMFASE, 1);
    }
}

TEST_F(ExplosionFrame, SecondSetUpDrawsNewValuesButKeepsCounterAndFrameCounts) {
    for (int call = 0; call < 60; ++call) frame();
    const layer_array& vapour = exp_->VAPORE;
    std::vector<float> speeds, sizes;
    for (int i = 0; i < 650; ++i) speeds.push_back(vapour[i].SPEED.X), sizes.push_back(vapour[i].SIZE);
    ASSERT_GT(*std::max_element(speeds.begin(), speeds.end()), 0.0f);

    INITGLOBEEXPLOSION(*exp_);
    EXPECT_EQ(exp_->NNMFASE, 60);
    int resized = 0;
    for (int i = 0; i < 650; ++i) {
        EXPECT_EQ(vapour[i].SPEED.X, speeds[i]) << i;
        EXPECT_EQ(vapour[i].SPEED.Z, speeds[i]) << i;
        resized += vapour[i].SIZE != sizes[i];
    }
    EXPECT_GT(resized, 600);
}

// The counter stops at its largest value instead of overflowing, and every layer keeps running.
TEST_F(ExplosionFrame, CounterStopsAtItsLimitWithEveryLayerStillRunning) {
    one_steady_sprite_per_layer();
    exp_->NNMFASE = std::numeric_limits<int32_t>::max() - 1;
    for (int call = 0; call < 3; ++call) {
        const auto primitives = gltest::capture_feedback([&] { marked_frame(); });
        EXPECT_EQ(exp_->NNMFASE, std::numeric_limits<int32_t>::max());
        EXPECT_EQ(layers_drawn(primitives), (std::vector<std::string>{"flash", "vapour", "smoke", "fire"}));
    }
    for (const Layer& layer : drawn_order) EXPECT_EQ(frames_shown(layer), 3.0f) << layer.name;
}

// A child run of this test writes the vertices of the first frames of its first explosion to the file
// named here; the parent run compares two children.
constexpr const char* dump_variable = "CVL_EXPLOSION_DUMP";
constexpr int dumped_frames = 100;

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(ExplosionFrame, FirstExplosionIsTheSameInEveryProcess) {
    if (const char* dump = std::getenv(dump_variable)) {
        std::ofstream out(dump, std::ios::binary);
        size_t vertices = 0;
        for (int call = 0; call < dumped_frames; ++call) {
            for (const auto& v : gltest::all_vertices(gltest::capture_feedback([&] { frame(); }))) {
                out.write(reinterpret_cast<const char*>(&v), sizeof(v));
                ++vertices;
            }
            out.write(reinterpret_cast<const char*>(&call), sizeof(call));
        }
        ASSERT_GT(vertices, 0u);
        return;
    }
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof(self) - 1), 0);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
    std::string dumps[2];
    for (int run = 0; run < 2; ++run) {
        dumps[run] = ::testing::TempDir() + "explosion-" + std::to_string(getpid()) + "-" + std::to_string(run);
        const std::string command = std::string(dump_variable) + "='" + dumps[run] + "' '" + self +
                                    "' --gtest_filter=" + filter + " > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    const std::string first = read_file(dumps[0]);
    const std::string second = read_file(dumps[1]);
    // Many frames' worth of sprites, identical to the bit.
    EXPECT_GT(first.size(), 1000 * sizeof(gltest::FeedbackVertex));
    EXPECT_TRUE(first == second) << "the two runs drew different explosions";
    for (const auto& path : dumps) std::remove(path.c_str());
}

}  // namespace
