// Test helpers for the explosion unit: zero-page records and snapshots of the emitter fields in use.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "corvel/random.h"
#include "explosion/cvl_explosion.h"

namespace explosion_test {

struct free_deleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using zeroed_ptr = std::unique_ptr<T, free_deleter>;

// A zeroed record from calloc: the big ones stay on untouched zero pages until written.
template <typename T>
zeroed_ptr<T> zeroed() {
    T* p = static_cast<T*>(std::calloc(1, sizeof(T)));
    if (!p) std::abort();
    return zeroed_ptr<T>(p);
}

// Small emitter arrays for single-emitter cases.
using small_array = corvel::TARRAY<CVL_Explosion::TGLFX_PARTICLE, 0, 7>;

// Every byte of an emitter after its particle room (the particle room is never touched).
inline std::vector<unsigned char> fields(const CVL_Explosion::TGLFX_PARTICLE& emitter) {
    constexpr std::size_t from = offsetof(CVL_Explosion::TGLFX_PARTICLE, POS);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&emitter);
    return {bytes + from, bytes + sizeof(emitter)};
}

// The fields of the first `count` emitters of each layer, in one vector, for before/after comparisons.
inline std::vector<unsigned char> layer_fields(const CVL_Explosion::TGLEXPLOSION& exp, int count) {
    std::vector<unsigned char> out;
    for (const auto* layer : {&exp.LAMPO, &exp.VAPORE, &exp.VAMPA, &exp.FUMO}) {
        for (int i = 0; i < count; ++i) {
            const auto bytes = fields((*layer)[i]);
            out.insert(out.end(), bytes.begin(), bytes.end());
        }
    }
    return out;
}

// The generator `draws` outputs further on than `from`.
inline std::mt19937 advanced(std::mt19937 from, unsigned long long draws) {
    from.discard(draws);
    return from;
}

}  // namespace explosion_test
