#include "colour_copy.h"

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "export/path_on_clipboard.h"
#include "magnifier_logic.h"
#include "picture.h"

void copyColourAt(int x, int y) {
    char text[8];
    formatColourText(pictureColour(x, y), text);
    const ClipboardScope clipboard(snipState.mainWindow);
    if (clipboard.isOpen()) putTextOnClipboard(text);
}
