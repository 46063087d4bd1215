// The one place that reports an array index outside its range.
#include "corvel/array.h"

#include <cstdio>
#include <cstdlib>

namespace corvel {

void index_fault(const char* what, long long index, long long low, long long high) {
    std::fprintf(stderr, "corvel: %s index %lld outside %lld..%lld\n", what, index, low, high);
    std::fflush(stderr);
    std::abort();
}

}  // namespace corvel
