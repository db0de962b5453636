// Benchmarks of the program's own operations, called in this process on an
// overlay window of our own, as the real program's message handler calls them.
#pragma once

#include "stats.h"

namespace bench {

// What no freeze can avoid: one read of the screen's area into memory.
Timing screenReadTiming(int left, int top, int width, int height);

void freezeAndSelection(Report& report);
void brush(Report& report);
void imageFiles(Report& report);
void snipsAndSavesInProcess(Report& report);

}  // namespace bench
