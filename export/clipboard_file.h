#pragma once

// The file hotkey's work: writes the clipboard's bitmap as the next
// tmpimgNN.png in the temporary directory and replaces the clipboard's
// contents with that file's full path as text. Any failure leaves the
// clipboard and the file counter as they were; nothing is reported.
void saveClipboardImageToTempFile();
