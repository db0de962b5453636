// The file hotkey's work: writes the clipboard's image (a bitmap, or a PNG
// file's bytes when there is no bitmap) as the next tmpimgNN.png in the
// temporary directory that can be written and replaces the clipboard's
// contents with that file, as its full path and as the file itself. Any failure
// leaves the clipboard and the file counter as they were; nothing is
// reported. Busy, with nothing done, when another program holds the
// clipboard.
#pragma once

#include "clipboard_attempt.h"

ClipboardAttempt saveClipboardImageToTempFile();
