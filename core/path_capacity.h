// The one size of every path buffer of the program, in characters of
// either width (bytes for ANSI text): the platform's MAX_PATH, spelled out
// so that the platform-free units share it.
#pragma once

#include <cstddef>

constexpr size_t PathCapacity = 260;
