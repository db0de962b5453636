#include "freeze_from_file.h"

#include "core/path_capacity.h"
#include "core/picture_handover.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "export/image_writer.h"
#include "freeze.h"

namespace {

// A BMP is taken as it stands, as a DIB section: the companion hands the
// screen over as one, because the image codecs took longer to decode a PNG
// and convert it again than the rest of the freeze. Any other picture goes
// through the codecs.
HBITMAP loadPicture(const wchar_t* path) {
    if (HANDLE bitmap =
            LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))
        return HBITMAP(bitmap);
    return loadImageFile(path);
}

}  // namespace

LRESULT onPictureHandover(const COPYDATASTRUCT& data) {
    // Like a hotkey pressed while start-up still runs: nothing happens.
    if (!snipState.running || data.dwData != PictureHandoverTag) return FALSE;
    const char* path = static_cast<const char*>(data.lpData);
    if (!path || data.cbData == 0 || data.cbData > PathCapacity || path[data.cbData - 1] != '\0')
        return FALSE;
    wchar_t widePath[PathCapacity];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, int(PathCapacity))) return FALSE;

    WindowDC screen(nullptr);
    const RECT area = overlayScreenArea(screen);
    // The pair takes the decoded bitmap over and deletes it with the context.
    BitmapContext picture(PixelSurface{CreateCompatibleDC(screen), loadPicture(widePath), nullptr});
    if (!picture.isValid()) return FALSE;
    SelectObject(picture.dc(), picture.bitmap());  // displaces the stock bitmap, never deleted
    BITMAP size = {};
    GetObject(picture.bitmap(), sizeof size, &size);
    // The picture shows the whole desktop from the virtual screen's corner;
    // one that does not cover the overlay (another scale, say) is no freeze.
    const int left = area.left - GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = area.top - GetSystemMetrics(SM_YVIRTUALSCREEN);
    if (left < 0 || top < 0 || size.bmWidth < left + (area.right - area.left) ||
        size.bmHeight < top + (area.bottom - area.top))
        return FALSE;
    return freezeArea(area, picture.dc(), left, top) ? TRUE : FALSE;
}
