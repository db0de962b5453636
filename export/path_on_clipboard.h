#pragma once

// Replaces the open clipboard's contents with `path`: exactly, as
// CF_UNICODETEXT; and as CF_TEXT in a block of 260 bytes whenever the ANSI
// code page can spell it, so that programs reading CF_TEXT get the text
// they always got. When the blocks cannot be had, the clipboard keeps its
// bitmap: the file exists all the same.
void putPathOnClipboard(const wchar_t* path);

// Replaces the open clipboard's contents with `text` as CF_TEXT; when no
// block can be had for it, the clipboard keeps what it held.
void putTextOnClipboard(const char* text);
