// Small holders for what the platform hands out and wants back: drawing
// contexts, a selected drawing object, the clipboard, a file, COM and its
// objects, and the frozen picture's context-and-bitmap pair. Each gives back what it took
// when the operation that took it ends, whichever way it ends, and none can
// be copied, so nothing is ever given back twice.
#pragma once

#include <windows.h>

#include <objbase.h>

#include "pixel_surface.h"

// GetDC/ReleaseDC; a null window means the whole screen.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory context compatible with another; deleted at the end.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a context, and the one it displaced put back at
// the end: a bitmap still selected into a context cannot be handed on or
// deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A drawing object of our own (a font, a pen), deleted at the end; declare
// it before the SelectedObject that selects it, so that it is put back
// first.
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() {
        if (object_) DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    operator HGDIOBJ() const { return object_; }

private:
    HGDIOBJ object_;
};

// The clipboard, open for one owner window while this lives. A failed open
// is not an error here: the caller asks isOpen(), and nothing is closed that
// another program holds.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~ClipboardScope() {
        if (open_) CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_;
};

// A movable memory block locked for reading or writing while this lives; a
// null block, or one that cannot be locked, gives null data and size 0.
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL block)
        : block_(block),
          data_(block ? GlobalLock(block) : nullptr),
          size_(data_ ? GlobalSize(block) : 0) {}
    ~LockedMemory() {
        if (data_) GlobalUnlock(block_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    void* data() const { return data_; }
    SIZE_T size() const { return size_; }

private:
    HGLOBAL block_;
    void* data_;
    SIZE_T size_;
};

// A file handle, closed at the end; INVALID_HANDLE_VALUE when the open
// failed.
class FileHandle {
public:
    explicit FileHandle(HANDLE file) : file_(file) {}
    ~FileHandle() {
        if (isOpen()) CloseHandle(file_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool isOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return file_; }

private:
    HANDLE file_;
};

// COM on the calling thread, apartment-threaded, for as long as this lives.
// The shell-link object cannot be created on a thread without it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    // S_FALSE (already initialised here) also counts and must be balanced.
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

// One reference to a COM interface, released at the end.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_) pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    // For the creating call's out-parameter; only while empty.
    void** out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// A memory context with a 32-bit top-down DIB section of its own selected
// into it: how the frozen picture and its snapshot are kept. The context is
// deleted before the bitmap, which cannot be deleted while a context still
// holds it. Any handle may be null: a failed creation holds nothing that
// leaks.
class BitmapContext {
public:
    // A new pair compatible with `screen`, `width` by `height` pixels; every
    // handle is null unless all could be made.
    BitmapContext(HDC screen, int width, int height)
        : surface_{CreateCompatibleDC(screen), nullptr, nullptr} {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: the rows run from the top down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        surface_.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        surface_.pixels = static_cast<uint32_t*>(bits);
        if (!surface_.dc || !surface_.bitmap) {
            release();
            return;
        }
        // Displaces the context's stock bitmap, which is never deleted.
        SelectObject(surface_.dc, surface_.bitmap);
    }
    // Takes over an existing pair, for example to delete the one in use.
    explicit BitmapContext(const PixelSurface& held) : surface_(held) {}
    ~BitmapContext() { release(); }
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    bool isValid() const { return surface_.dc && surface_.bitmap; }
    HDC dc() const { return surface_.dc; }
    HBITMAP bitmap() const { return surface_.bitmap; }
    uint32_t* pixels() const { return surface_.pixels; }
    // Exchanges the held pair with the caller's, which this then deletes.
    void swapWith(PixelSurface& other) {
        const PixelSurface held = surface_;
        surface_ = other;
        other = held;
    }

private:
    void release() {
        if (surface_.dc) DeleteDC(surface_.dc);  // the context first: it still holds the bitmap
        if (surface_.bitmap) DeleteObject(surface_.bitmap);
        surface_ = {nullptr, nullptr, nullptr};
    }

    PixelSurface surface_;
};
