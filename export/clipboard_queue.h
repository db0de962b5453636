// Clipboard work that must wait while another program holds the clipboard:
// clipboard managers, remote-desktop agents and office programs open it for
// a moment after every change. The snip's copy and the file hotkey are each
// tried at once; when the clipboard is held they wait and are tried again
// on the overlay window's timer, 100 ms apart, for about one second (as the
// platform's managed clipboard API retries by default). Nothing blocks
// meanwhile: the overlay is already hidden and every message, a hotkey
// included, is handled as usual.
//
// Rules while work waits:
// - It waits as a list of requests and runs in the order it was asked for
//   (clipboard_queue_logic.h), so that the files and the clipboard end as
//   the same requests leave them on a free clipboard. A new request is not
//   tried at once while older ones wait: it must not overtake them.
// - Every new request gives the waiting work a whole second again.
// - When the clipboard is still held after that, the work is given up as a
//   single refused try is: the clipboard keeps its earlier contents, the
//   waiting bitmaps are deleted, the file counter does not move.
#pragma once

#include <windows.h>

// The overlay window's one timer: its ticks retry the waiting work.
constexpr UINT_PTR ClipboardRetryTimer = 1;

// The snip's copy. Ownership hand-over: the bitmap is the clipboard's once
// taken, deleted here when refused or given up; the caller never touches it
// again.
void requestBitmapCopy(HBITMAP bitmap);
// The file hotkey's save of the clipboard's image.
void requestFileSave();
// Tries the waiting work again; gives it up after the last try.
void retryClipboardWork();
// Gives up whatever waits, at once: at shutdown, so that nothing leaks.
void abandonClipboardWork();
