// The hand-over of a picture to freeze from instead of the screen: how the
// Linux companion gives Grabnik the screen of a desktop whose screen Wine
// cannot read (a Wayland session, where X programs see black).
//
// Send WM_COPYDATA to the overlay window (class OverlayClassName) with
// dwData PictureHandoverTag and lpData the path of a PNG (or any picture the
// system's image codecs read), ANSI and NUL-terminated, at most PathCapacity
// bytes with the NUL. Its pixel (0,0) is the top-left corner of the whole
// desktop, and it must cover the overlay's area. Grabnik freezes from it as
// the selection hotkey freezes from the screen, and answers TRUE; it answers
// FALSE and freezes nothing while it is starting, or when the path, the file
// or its picture is unusable. The file is only read: it is the sender's.
#pragma once

#include <windows.h>

// The overlay's class name, exactly this text: other programs (and the
// Linux companion's bridge) find Grabnik's window by it.
constexpr const char* OverlayClassName = "MainWindowClass";

// "GRBP": the hand-over's WM_COPYDATA tag.
constexpr ULONG_PTR PictureHandoverTag = 0x47524250;
