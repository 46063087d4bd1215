// Fixed arrays with the index ranges the framework's data model gives them (0..500, 1..10000...),
// checked on every access: an index outside the range ends the program instead of touching memory.
#pragma once

#include <cstddef>

namespace corvel {

// Reports an index outside [low, high] on stderr and aborts.
[[noreturn]] void index_fault(const char* what, long long index, long long low, long long high);

// An aggregate, so a global of this type is zero- or constant-initialised without running code.
template <typename T, int LO, int HI>
struct TARRAY {
    static_assert(HI >= LO, "empty range");
    static constexpr int LOW = LO;
    static constexpr int HIGH = HI;
    static constexpr int COUNT = HI - LO + 1;

    T ITEMS[COUNT];

    static constexpr bool contains(long long index) { return index >= LO && index <= HI; }

    T& operator[](long long index) {
        if (!contains(index)) index_fault("array", index, LO, HI);
        return ITEMS[index - LO];
    }
    const T& operator[](long long index) const {
        if (!contains(index)) index_fault("array", index, LO, HI);
        return ITEMS[index - LO];
    }

    T* data() { return ITEMS; }
    const T* data() const { return ITEMS; }
    static constexpr std::size_t size() { return COUNT; }
    T* begin() { return ITEMS; }
    T* end() { return ITEMS + COUNT; }
    const T* begin() const { return ITEMS; }
    const T* end() const { return ITEMS + COUNT; }
};

}  // namespace corvel
