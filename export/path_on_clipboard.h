#pragma once

// Replaces the open clipboard's contents with the saved file at `path`, in
// every form a paste may want it:
// - the path as text: exactly, as CF_UNICODETEXT; and as CF_TEXT in a block
//   of 260 bytes whenever the ANSI code page can spell it, so that programs
//   reading CF_TEXT get the text they always got (a file-open box, a
//   command line);
// - the file itself: CF_HDROP naming exactly that one file by its wide path,
//   and "Preferred DropEffect" set to copy, so that a file manager's paste
//   copies it and mail, chat and browser programs attach it.
// All go on together or none does: when a block cannot be had, the
// clipboard keeps its image; the file exists all the same.
void putPathOnClipboard(const wchar_t* path);

// Replaces the open clipboard's contents with `text` as CF_TEXT; when no
// block can be had for it, the clipboard keeps what it held.
void putTextOnClipboard(const char* text);
