// Records the order of the few immediate-mode GL calls a test watches (glBegin, glEnd, glVertex3f,
// glTexCoord2f). A test program that traces includes gl_trace_hooks.h in its one source file.
#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace gltest {

// One watched call: its name and its arguments as given (enums and floats both fit a double exactly).
struct GLCall {
    std::string name;
    std::vector<double> args;
    bool operator==(const GLCall& other) const { return name == other.name && args == other.args; }
};
std::ostream& operator<<(std::ostream& out, const GLCall& call);

// Forgets earlier calls and starts recording.
void trace_start();
// Stops recording and returns the calls seen since trace_start.
std::vector<GLCall> trace_stop();

namespace trace_detail {
void record(const char* name, std::initializer_list<double> args);
// The real entry point further down the link chain (libGL); ends the program if there is none.
void* next_symbol(const char* name);
}  // namespace trace_detail

}  // namespace gltest
