#include "in_process.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "driver.h"
#include "export/clipboard_file.h"
#include "export/image_writer.h"
#include "export/png_format.h"
#include "export/snip_png.h"
#include "footprint.h"
#include "image_file.h"
#include "overlay/brush.h"
#include "overlay/freeze.h"
#include "overlay/magnifier.h"
#include "overlay/overlay_paint.h"
#include "overlay/overlay_window.h"
#include "overlay/picture.h"
#include "overlay/selection.h"

namespace bench {

namespace {

// Lets the platform do what it does when the real program's loop idles
// (under Wine: push the window's pixels to the display).
void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The overlay as start-up makes it, once per process.
void createOverlay() {
    if (snipState.mainWindow) return;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = overlayWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = OverlayClassName;
    RegisterClassA(&windowClass);
    const WindowDC screen(nullptr);
    snipState.screenWidth = GetDeviceCaps(screen, HORZRES);
    snipState.screenHeight = GetDeviceCaps(screen, VERTRES);
    snipState.mainWindow =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, OverlayClassName, nullptr, WS_POPUP, 0, 0,
                        snipState.screenWidth, snipState.screenHeight, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    preparePicture(screen, snipState.screenWidth, snipState.screenHeight);
}

void shownOverlay() {
    createOverlay();
    freezeScreen();
    pumpMessages();
}

Timing copyTiming(size_t pixels) {
    std::vector<uint32_t> from(pixels, 0x00123456), to(pixels);
    return measureCalls(21, 5, [&] {
        std::memcpy(to.data(), from.data(), pixels * 4);
        from[to[pixels / 2] & 7]++;  // keeps the copy from being optimised away
    });
}

// A 32-bit top-down DIB section that the caller fills; deleted by the caller.
HBITMAP createDib(int width, int height, uint32_t** pixels) {
    const BITMAPINFO info = e2e::topDownBitmapInfo(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = static_cast<uint32_t*>(bits);
    return bitmap;
}

// What a screenshot usually holds: flat panels, lines of text, and a
// photo-like area of smooth gradients with a little grain.
HBITMAP screenshotLikeBitmap(int width, int height) {
    uint32_t* pixels = nullptr;
    HBITMAP bitmap = createDib(width, height, &pixels);
    uint32_t seed = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t& p = pixels[size_t(y) * width + x];
            if (y < 40) {
                p = 0x003C3F41;  // title bar
            } else if (x < 300) {
                p = 0x00F0F0F0;  // side panel
            } else if (x < 1300) {
                p = 0x00FFFFFF;  // document
            } else {
                seed = seed * 1103515245 + 12345;
                const uint32_t grain = (seed >> 16) & 7;
                const uint32_t r = (x * 255 / width + grain) & 0xFF;
                const uint32_t g = (y * 255 / height + grain) & 0xFF;
                const uint32_t b = ((x + y) * 128 / (width + height) + 64 + grain) & 0xFF;
                p = (r << 16) | (g << 8) | b;
            }
        }
    const MemoryDC memory(nullptr);
    {
        const SelectedObject target(memory, bitmap);
        SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(memory, TRANSPARENT);
        const char line[] = "The quick brown fox jumps over the lazy dog. 0123456789 (ctrl+alt+S)";
        for (int y = 60; y < height - 20; y += 18) TextOutA(memory, 320, y, line, sizeof line - 1);
        for (int y = 60; y < 600; y += 22) TextOutA(memory, 20, y, "Panel item", 10);
    }
    return bitmap;
}

HBITMAP noiseBitmap(int width, int height) {
    uint32_t* pixels = nullptr;
    HBITMAP bitmap = createDib(width, height, &pixels);
    uint32_t seed = 7;
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        seed = seed * 1664525 + 1013904223;
        pixels[i] = seed >> 8;
    }
    return bitmap;
}

std::string benchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "grabnik-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void saveImage(Report& report, const char* what, HBITMAP bitmap, int width, int height,
               bool targetApplies) {
    const std::string path = benchFolder() + "\\bench.png";
    // As the file hotkey does it: the codecs start and stop with each save.
    const Timing timing = measure(9, [&] {
        const double start = nowMs();
        const BitmapImage image(bitmap);
        saveImageFile(image, e2e::widen(path).c_str());
        return nowMs() - start;
    });
    const double bytes = fileSize(path);
    const double megapixelsPerSecond = width * height / 1000.0 / timing.median;
    Row row =
        Row::timed("File hotkey",
                   std::string("saveImageFile, ") + what + ", " + std::to_string(width) + "x" +
                       std::to_string(height) + ": " + std::to_string(int(bytes / 1024)) + " KB, " +
                       std::to_string(int(megapixelsPerSecond)) + " MP/s",
                   timing);
    if (targetApplies) row.aim("at most 150 ms", timing.median <= 150);
    report.add(row);
    DeleteFileA(path.c_str());
}

void snipAndSave() {
    freezeScreen();
    pumpMessages();
    beginSelection(100, 100);
    trackSelection(900, 700, true);
    copySelectionToClipboard();
    endSnip();
    saveClipboardImageToTempFile();
    pumpMessages();
}

}  // namespace

Timing screenReadTiming(int left, int top, int width, int height) {
    const WindowDC screen(nullptr);
    const BitmapContext copy(screen, width, height);
    return measure(15, [&] {
        const double start = nowMs();
        BitBlt(copy.dc(), 0, 0, width, height, screen, left, top, SRCCOPY);
        return nowMs() - start;
    });
}

void freezeAndSelection(Report& report) {
    createOverlay();
    const Timing frame = copyTiming(size_t(snipState.screenWidth) * snipState.screenHeight);
    const Timing freeze = measure(15, [] {
        endSnip();
        pumpMessages();
        // The display settles after the hide, as between a user's snips and
        // as for the reference's reads: the X server's repaint of what the
        // overlay covered is not the next freeze's.
        Sleep(50);
        pumpMessages();
        const double start = nowMs();
        freezeScreen();
        const double time = nowMs() - start;
        pumpMessages();
        return time;
    });
    // Read with the overlay hidden: a shown one would be read instead of the
    // display.
    endSnip();
    pumpMessages();
    const Timing screenRead = screenReadTiming(0, 0, snipState.screenWidth, snipState.screenHeight);
    report.add(Row::timed("Freeze", "one BitBlt of the whole screen into memory", screenRead)
                   .against("memcpy of one frame", frame));
    report.add(
        Row::timed("Freeze",
                   "freezeScreen, " + std::to_string(snipState.screenWidth) + "x" +
                       std::to_string(snipState.screenHeight) + ", in-process",
                   freeze)
            .against("one BitBlt of the whole screen", screenRead)
            .aim("at most 2x one screen read (goal 1.5x)", freeze.median <= 2 * screenRead.median));
    report.add(Row::plain("Freeze", "memory of the picture and its snapshot (two 32-bit sections)",
                          2.0 * snipState.screenWidth * snipState.screenHeight * 4 / 1024 / 1024,
                          "MB"));

    // A drag step on a 1000x600 frame, as a move of the mouse runs it: the
    // magnifier follows, the frame's corner moves, and the marked areas are
    // painted from the picture with the decorations over them.
    for (const bool magnifier : {false, true}) {
        startMagnifier(magnifier);
        shownOverlay();
        beginSelection(100, 100);
        trackSelection(1100, 700, true);
        UpdateWindow(snipState.mainWindow);
        int step = 0;
        const Timing drag = measureCalls(15, 50, [&] {
            const int x = 1100 + (++step & 1);
            {
                const RepaintBatch batch;  // as the overlay's move handler does
                followPointer(x, 700);
                trackSelection(x, 700, true);
            }
            UpdateWindow(snipState.mainWindow);
        });
        report.add(Row::timed("Selection",
                              std::string("one drag step with its paint, 1000x600 frame, ") +
                                  (magnifier ? "magnifier on" : "magnifier off"),
                              drag)
                       .aim("at most 1 ms", drag.median <= 1));
        endSnip();
    }
    startMagnifier(false);

    shownOverlay();
    const Timing copy = measure(15, [] {
        snipState.selStartX = 100;
        snipState.selStartY = 40;
        snipState.selEndX = 1100;
        snipState.selEndY = 1040;
        const double start = nowMs();
        copySelectionToClipboard();
        return nowMs() - start;
    });
    report.add(Row::timed("Selection", "copySelectionToClipboard, 1000x1000", copy)
                   .against("memcpy of 1000x1000 pixels", copyTiming(1000 * 1000)));
    endSnip();
    pumpMessages();
}

void brush(Report& report) {
    shownOverlay();
    const Timing sample = measureCalls(15, 20, [] { sampleBrushColour(500, 500); });
    // A stroke's step as a move runs it: the picture changes, the block is
    // painted. The first also fills the snapshot's rows under it.
    int step = 0;
    const Timing whiten = measureCalls(15, 20, [&] {
        whitenBrushArea(500, 100 + (++step % 800));
        UpdateWindow(snipState.mainWindow);
    });
    const Timing restore = measureCalls(15, 20, [] {
        restoreBrushArea(500, 500);
        UpdateWindow(snipState.mainWindow);
    });
    report.add(
        Row::timed("Brush", "sampleBrushColour", sample).aim("at most 1 ms", sample.median <= 1));
    report.add(Row::timed("Brush", "whitenBrushArea with its paint, along a stroke", whiten)
                   .aim("at most 1 ms", whiten.median <= 1));
    report.add(Row::timed("Brush", "restoreBrushArea with its paint", restore)
                   .aim("at most 1 ms", restore.median <= 1));
    endSnip();
    pumpMessages();
}

// The snip's PNG made when a program asks for it: the read of its pixels,
// the encoding and the hand-over to the clipboard, on the overlay window, as
// WM_RENDERFORMAT runs it.
void renderPngOnRequest(Report& report, int width, int height) {
    createOverlay();
    HBITMAP bitmap = screenshotLikeBitmap(width, height);
    const Timing timing = measure(9, [&] {
        const ClipboardScope clipboard(snipState.mainWindow);
        EmptyClipboard();
        // Offered as a snip's bitmap is, but still the benchmark's, so that
        // emptying the clipboard for the next run does not delete it.
        offerSnipPng(bitmap);
        const double start = nowMs();
        renderSnipPng(pngClipboardFormat());
        return nowMs() - start;
    });
    DeleteObject(bitmap);
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    report.add(Row::timed("Selection",
                          "the snip's PNG rendered on request, screenshot-like, " + size, timing)
                   .against("memcpy of " + size + " pixels", copyTiming(size_t(width) * height)));
}

void imageFiles(Report& report) {
    renderPngOnRequest(report, 1000, 1000);
    renderPngOnRequest(report, 1920, 1080);
    HBITMAP screenshot = screenshotLikeBitmap(1920, 1080);
    saveImage(report, "screenshot-like", screenshot, 1920, 1080, true);
    DeleteObject(screenshot);
    HBITMAP noise = noiseBitmap(1920, 1080);
    saveImage(report, "noise", noise, 1920, 1080, false);
    DeleteObject(noise);
}

void snipsAndSavesInProcess(Report& report) {
    createOverlay();
    SetEnvironmentVariableA("TMP", benchFolder().c_str());
    SetEnvironmentVariableA("TEMP", benchFolder().c_str());
    snipAndSave();
    const DWORD gdiAfterOne = gdiObjectCount(GetCurrentProcess());
    const SIZE_T memoryAfterOne = privateBytes(GetCurrentProcess());
    for (int i = 1; i < 200; ++i) snipAndSave();
    const DWORD gdiAfterAll = gdiObjectCount(GetCurrentProcess());
    const SIZE_T memoryAfterAll = privateBytes(GetCurrentProcess());
    report.add(Row::plain("Footprint", "GDI objects after 1 snip + save (in-process)", gdiAfterOne,
                          "objects"));
    report.add(Row::plain("Footprint", "GDI objects after 200 snips + 200 saves (in-process)",
                          gdiAfterAll, "objects")
                   .aim("no more than after the first", gdiAfterAll <= gdiAfterOne));
    report.add(Row::plain("Footprint", "private memory after 1 snip + save (in-process)",
                          memoryAfterOne / 1024.0, "KB"));
    for (int i = 0; i < 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\tmpimg%02d.png", i);
        DeleteFileA((benchFolder() + name).c_str());
    }
    report.add(Row::plain("Footprint", "private memory after 200 snips + 200 saves (in-process)",
                          memoryAfterAll / 1024.0, "KB")
                   .aim("no more than after the first (within 64 KB)",
                        memoryAfterAll <= memoryAfterOne + 64 * 1024));

    // Reference: how much the platform's clipboard alone keeps over as many
    // cycles, for comparison with the growth above.
    clipboardCycle(snipState.mainWindow, 800, 600);
    pumpMessages();
    const SIZE_T clipboardBefore = privateBytes(GetCurrentProcess());
    for (int i = 1; i < 200; ++i) {
        clipboardCycle(snipState.mainWindow, 800, 600);
        pumpMessages();
    }
    report.add(Row::plain(
        "Footprint",
        "reference: private memory growth over 199 cycles of the clipboard alone "
        "(bitmap on, CF_BITMAP read, texts on)",
        (double(privateBytes(GetCurrentProcess())) - double(clipboardBefore)) / 1024.0, "KB"));
    report.add(Row::plain("Footprint", "growth over 199 snips + saves (in-process)",
                          (double(memoryAfterAll) - double(memoryAfterOne)) / 1024.0, "KB"));
}

}  // namespace bench
