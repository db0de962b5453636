// The rotating names of the file hotkey's images, tmpimg00.png to
// tmpimg99.png in the temporary directory. Platform-free so that it is unit
// tested natively.
#pragma once

#include <cstddef>

// Bytes of a path buffer, terminating null included (the platform's MAX_PATH).
constexpr size_t TempPathCapacity = 260;

// Writes the first `directoryLength` characters of `directory`, then
// "tmpimgNN.png" with NN being `counter` (not negative) modulo 100, then a
// null into `out`, which holds TempPathCapacity bytes. When that does not
// fit, returns false and leaves `out` as it was; `directory` is then not read
// at all, so a length that reports a too small buffer is safe to pass.
bool composeTempFilePath(const char* directory, size_t directoryLength, int counter, char* out);

// The counter after one more successful save. It counts saves exactly until
// the count would overflow; from there it goes on at a small number that
// continues the rotation, so the counter never becomes negative and the
// names never skip or break.
int nextTempFileCounter(int counter);
