#pragma once

#include "core/path_capacity.h"

// The path in the ANSI code page, as CF_TEXT carries it; false when that
// code page cannot spell it exactly (or it does not fit the 260 bytes): the
// ANSI text would name another file or none. Exactly what the ANSI
// functions would have given, whenever they could give it.
bool ansiPath(const wchar_t* path, char (&ansi)[PathCapacity]);
