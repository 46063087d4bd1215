// Cost of one explosion frame at its busiest, with the vertices sent to Mesa and with them suppressed by
// the vertex recorder, side by side in one run: the ratio tells how much of a frame is our own work.
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "corvel/corvel.h"
#include "explosion/cvl_explosion.h"

namespace {

using CVL_Explosion::TGLEXPLOSION;

struct HiddenContext {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;

    HiddenContext() {
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        window = SDL_CreateWindow("bench", 0, 0, 800, 600, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window) context = SDL_GL_CreateContext(window);
    }
};

// The record is mostly untouched room: a zero-page allocation keeps it that way.
struct FreeRecord {
    void operator()(TGLEXPLOSION* record) const { std::free(record); }
};

void run_frames(benchmark::State& state, bool suppressed) {
    static HiddenContext gl;
    if (!gl.context) {
        state.SkipWithError("no GL context (is DISPLAY set?)");
        return;
    }
    std::unique_ptr<TGLEXPLOSION, FreeRecord> exp(static_cast<TGLEXPLOSION*>(std::calloc(1, sizeof(TGLEXPLOSION))));
    corvel::WIDTH = 800;
    corvel::HEIGHT = 600;
    corvel::OPENGL_INIT(100.0, 0, 0, 0, 0);
    glTranslatef(0, 2, -30);
    CVL_Explosion::INITGLOBEEXPLOSION(*exp);
    corvel::GLVERT3FREMOVE = suppressed;
    for (auto _ : state) {
        // Frames 46 to 66: every layer runs and most sprites are showing.
        state.PauseTiming();
        CVL_Explosion::RESETGLOBEEXPLOSION(*exp);
        for (int frame = 0; frame < 45; ++frame) {
            CVL_Explosion::GENGLOBEEXPLOSION(*exp, 1, 1, 8, 4, 8, 1, 4, 4, 0, 0, 0, 0);
        }
        glFinish();
        state.ResumeTiming();
        for (int frame = 0; frame < 20; ++frame) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            CVL_Explosion::GENGLOBEEXPLOSION(*exp, 1, 1, 8, 4, 8, 1, 4, 4, 0, 0, 0, 0);
        }
        glFinish();
    }
    corvel::GLVERT3FREMOVE = false;
    state.SetItemsProcessed(state.iterations() * 20);
}

void BM_ExplosionFramesDrawn(benchmark::State& state) { run_frames(state, false); }
void BM_ExplosionFramesSuppressed(benchmark::State& state) { run_frames(state, true); }

BENCHMARK(BM_ExplosionFramesDrawn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplosionFramesSuppressed)->Unit(benchmark::kMillisecond);

}  // namespace
