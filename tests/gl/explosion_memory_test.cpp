// The explosion record's resident cost: a whole explosion played and restarted writes only the emitter
// fields in use, so almost none of its ~830 MB ever becomes resident.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's own; not every toolchain ships the header that declares it.
extern "C" void __sanitizer_purge_allocator();
#endif

#include "explosion/cvl_explosion.h"
#include "tests/gl/explosion_support.h"
#include "tests/gl/support/gl_context.h"

using namespace CVL_Explosion;

namespace {

// Resident set size of this process in kB, from /proc/self/status.
long resident_kb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// Pages of [begin, begin + bytes) that are resident.
size_t resident_pages(const void* begin, size_t bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const auto from = reinterpret_cast<uintptr_t>(begin) / page * page;
    const size_t pages = (reinterpret_cast<uintptr_t>(begin) + bytes - from + page - 1) / page;
    std::vector<unsigned char> map(pages);
    if (mincore(reinterpret_cast<void*>(from), pages * page, map.data()) != 0) return SIZE_MAX;
    size_t count = 0;
    for (const unsigned char m : map) count += m & 1;
    return count;
}

// Hands memory that the driver's threads freed back to the system, so that what stays resident is what
// is still in use rather than what the allocator (or the sanitizer's quarantine) happens to hold.
void release_freed_memory() {
    glFinish();
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_purge_allocator();
#endif
    malloc_trim(0);
}

class ExplosionMemory : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        flat_view(40, 200);
    }

    // Starts, plays and restarts one explosion.
    static void play(TGLEXPLOSION& exp) {
        INITGLOBEEXPLOSION(exp);
        for (int frame = 0; frame < 200; ++frame) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            GENGLOBEEXPLOSION(exp, 1, 1, 8, 4, 8, 1, 4, 4, 0, 0, 0, 0);
        }
        glFinish();
        RESETGLOBEEXPLOSION(exp);
    }
};

TEST_F(ExplosionMemory, PlayingAndRestartingLeavesTheRecordMostlyUntouched) {
    // Explosions in records of their own, freed again: the driver's buffers and compiled state for
    // these sprites then belong to the baseline, and what grows after it is the record's.
    for (int warm_up = 0; warm_up < 2; ++warm_up) play(*explosion_test::zeroed<TGLEXPLOSION>());
    release_freed_memory();
    const long baseline = resident_kb();
    ASSERT_GT(baseline, 0);

    auto exp = explosion_test::zeroed<TGLEXPLOSION>();
    play(*exp);
    release_freed_memory();
    const long after = resident_kb();
    const size_t record_kb = resident_pages(exp.get(), sizeof(TGLEXPLOSION)) * sysconf(_SC_PAGESIZE) / 1024;

    const long grown_kb = after - baseline;
    RecordProperty("baseline_rss_kb", std::to_string(baseline));
    RecordProperty("grown_rss_kb", std::to_string(grown_kb));
    RecordProperty("record_resident_kb", std::to_string(record_kb));
    std::printf("VmRSS %ld kB before, %ld kB after (+%ld kB); %zu kB of the %zu MB record resident\n", baseline, after,
                grown_kb, record_kb, sizeof(TGLEXPLOSION) >> 20);
    EXPECT_LT(grown_kb, 64 * 1024);
    // 1551 emitters in use, each writing a few fields on one or two pages.
    EXPECT_LT(record_kb, 16u * 1024);
    EXPECT_EQ(exp->NNMFASE, 0);
}

}  // namespace
