// The frozen screen: a memory context and its bitmap, kept in the snip state
// from start-up to shutdown and replaced by every freeze.
#pragma once

#include <windows.h>

// Makes a new snapshot pair of `width` by `height` pixels compatible with
// `screen` and puts it in place of the old one, which is deleted. When the
// new pair cannot be made, the old one stays in place and false is returned.
bool replaceSnapshot(HDC screen, int width, int height);

// Deletes the snapshot pair; the snip state's handles are null afterwards.
void deleteSnapshot();
