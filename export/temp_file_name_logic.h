// The rotating names of the file hotkey's images, tmpimg00.png to
// tmpimg99.png in the temporary directory. Platform-free so that it is unit
// tested natively.
#pragma once

#include <cstddef>

#include "core/path_capacity.h"

// Writes the first `directoryLength` characters of `directory`, then
// "tmpimgNN.png" with NN being `counter` (not negative) modulo 100, then a
// null into `out`, which holds PathCapacity characters. When that does
// not fit, returns false and leaves `out` as it was; `directory` is then not
// read at all, so a length that reports a too small buffer is safe to pass.
// For narrow and for wide characters.
template <typename Char>
bool composeTempFilePath(const Char* directory, size_t directoryLength, int counter, Char* out);

// The counter after one more successful save. It counts saves exactly until
// the count would overflow; from there it goes on at a small number that
// continues the rotation, so the counter never becomes negative and the
// names never skip or break.
int nextTempFileCounter(int counter);

// The counter whose name the next save writes: `counter` itself when
// `canWrite(counter)` holds, else the first one after it, in the order of
// nextTempFileCounter, whose name can be written. Each of the 100 names is
// asked at most once; -1 when none can be written.
template <typename CanWrite>
int chooseTempFileCounter(int counter, CanWrite canWrite) {
    for (int tries = 0; tries < 100; ++tries) {
        if (canWrite(counter)) return counter;
        counter = nextTempFileCounter(counter);
    }
    return -1;
}
