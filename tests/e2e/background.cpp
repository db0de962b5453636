#include "background.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

const char* const ClassName = "GrabnikTestBackground";

// A top-down 32-bit DIB of the whole screen, painted once; WM_PAINT copies
// from it as often as the platform asks.
struct Picture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
};

LRESULT CALLBACK backgroundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* picture = reinterpret_cast<Picture*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, picture->dc, r.left, r.top,
               SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The platform's colour values put red low; a DIB pixel has blue low.
uint32_t dibPixel(uint32_t colour) {
    return GetBValue(colour) | GetGValue(colour) << 8 | GetRValue(colour) << 16;
}

}  // namespace

uint32_t patternColour(int x, int y) {
    // Red and green carry the low bytes of x and y, blue the high bits of
    // both; blue stays below 0x40, so the colour is never white.
    return RGB(x & 0xFF, y & 0xFF,
               ((x >> 8) & 0x3) | ((y >> 8) & 0x3) << 2 | ((x >> 10) & 0x1) << 4);
}

Background::Background(std::vector<UniformBlock> blocks) : blocks_(std::move(blocks)) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&Background::run, this, ready);
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

Background::~Background() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
}

uint32_t Background::colourAt(int x, int y) const {
    for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
        POINT p = {x, y};
        if (PtInRect(&block->area, p)) return block->colour;
    }
    return patternColour(x, y);
}

bool Background::waitShown(DWORD timeoutMs) const {
    return waitUntil(
        [&] {
            return mismatches(captureScreen(), 0, 0, [&](int x, int y) { return colourAt(x, y); })
                .empty();
        },
        timeoutMs);
}

void Background::activate() const { SetForegroundWindow(window_); }

void Background::run(HANDLE ready) {
    // Every monitor: the window lies over the whole virtual screen.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    Picture picture;
    const BITMAPINFO info = topDownBitmapInfo(width, height);
    void* bits = nullptr;
    picture.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = dibPixel(colourAt(left + x, top + y));
    picture.dc = CreateCompatibleDC(nullptr);
    SelectObject(picture.dc, picture.bitmap);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = backgroundProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClassName;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExA(0, ClassName, "Background", WS_POPUP, left, top, width, height,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&picture));
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    SetEvent(ready);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DeleteDC(picture.dc);
    DeleteObject(picture.bitmap);
}

void savePicture(const char* name) {
    const char* folder = std::getenv("GRABNIK_PICTURES");
    if (!folder) return;
    // Every monitor, with whatever the display holds where none shows.
    const Image image =
        captureScreen(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    BITMAPFILEHEADER file = {};
    const BITMAPINFOHEADER header = topDownBitmapInfo(image.width, image.height).bmiHeader;
    const DWORD pixelBytes = DWORD(image.pixels.size() * 4);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    for (uint32_t colour : image.pixels) {
        const uint32_t pixel = dibPixel(colour);
        std::fwrite(&pixel, 4, 1, out);
    }
    std::fclose(out);
}

}  // namespace e2e
