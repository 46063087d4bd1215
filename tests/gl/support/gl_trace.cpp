// The call log behind the interposed GL entry points of gl_trace_hooks.h.
#include "tests/gl/support/gl_trace.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace gltest {
namespace {

struct Trace {
    bool on = false;
    std::vector<GLCall> calls;
};

Trace& trace() {
    static Trace instance;
    return instance;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const GLCall& call) {
    out << call.name << '(';
    for (size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << call.args[i];
    return out << ')';
}

void trace_start() {
    trace().calls.clear();
    trace().on = true;
}

std::vector<GLCall> trace_stop() {
    trace().on = false;
    return std::move(trace().calls);
}

namespace trace_detail {

void record(const char* name, std::initializer_list<double> args) {
    if (trace().on) trace().calls.push_back(GLCall{name, args});
}

void* next_symbol(const char* name) {
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) {
        std::fprintf(stderr, "gl_trace: no %s further down the link chain: %s\n", name, dlerror());
        std::abort();
    }
    return symbol;
}

}  // namespace trace_detail
}  // namespace gltest
