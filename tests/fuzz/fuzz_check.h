// What the fuzz targets share: a property check that stops the run, so that
// libFuzzer keeps the input that broke it as a crash artifact.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

[[noreturn]] inline void failProperty(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

// A macro for the property's own text in the report.
#define FUZZ_REQUIRE(property) ((property) ? void(0) : failProperty(#property, __FILE__, __LINE__))

// The input's texts: one a line, so that seeds stay readable. The last line
// needs no line break; a missing line reads as empty.
inline std::string nextLine(const char*& text, const char* end) {
    const char* start = text;
    while (text != end && *text != '\n') ++text;
    std::string line(start, text);
    if (text != end) ++text;
    return line;
}
