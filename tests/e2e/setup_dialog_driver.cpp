#include "setup_dialog_driver.h"

#include "driver.h"
#include "res/resource.h"

namespace e2e {

namespace {

struct ChoiceControls {
    int boxes[4][2];  // modifier bit, check box
    int keyList;
};

const ChoiceControls& controlsOf(DialogHotkey which) {
    static const ChoiceControls selection = {{{MOD_CONTROL, IDC_SEL_CONTROL},
                                              {MOD_ALT, IDC_SEL_ALT},
                                              {MOD_SHIFT, IDC_SEL_SHIFT},
                                              {MOD_WIN, IDC_SEL_WIN}},
                                             IDC_SEL_KEY};
    static const ChoiceControls file = {{{MOD_CONTROL, IDC_FILE_CONTROL},
                                         {MOD_ALT, IDC_FILE_ALT},
                                         {MOD_SHIFT, IDC_FILE_SHIFT},
                                         {MOD_WIN, IDC_FILE_WIN}},
                                        IDC_FILE_KEY};
    return which == DialogHotkey::Selection ? selection : file;
}

// Across processes only the wide message copies the whole item text.
std::string itemText(HWND keyList, int index) {
    WCHAR text[64] = L"";
    if (SendMessageW(keyList, CB_GETLBTEXT, WPARAM(index), LPARAM(text)) == CB_ERR) return "";
    std::string narrow;
    for (const WCHAR* c = text; *c; ++c) narrow += char(*c);
    return narrow;
}

}  // namespace

HWND waitForSetupDialog(DWORD pid, DWORD timeoutMs) {
    HWND dialog = waitForWindowOf(pid, "#32770", "Grabnik Hotkey Setup", timeoutMs);
    return dialog && waitVisible(dialog, true, timeoutMs) ? dialog : nullptr;
}

void chooseHotkey(HWND dialog, DialogHotkey which, HotkeyCode choice) {
    const ChoiceControls& controls = controlsOf(which);
    for (const auto& box : controls.boxes)
        SendDlgItemMessageA(dialog, box[1], BM_SETCHECK,
                            (hotkeyModifiers(choice) & UINT(box[0])) ? BST_CHECKED : BST_UNCHECKED,
                            0);
    const std::vector<std::string> items = keyListItems(dialog, which);
    int index = -1;  // no key selected
    for (size_t i = 0; i < items.size(); ++i)
        if (hotkeyKey(choice) && items[i] == std::string(1, char(hotkeyKey(choice))))
            index = int(i);
    SendDlgItemMessageA(dialog, controls.keyList, CB_SETCURSEL, WPARAM(index), 0);
}

HotkeyCode chosenHotkey(HWND dialog, DialogHotkey which) {
    const ChoiceControls& controls = controlsOf(which);
    unsigned modifiers = 0;
    for (const auto& box : controls.boxes)
        if (SendDlgItemMessageA(dialog, box[1], BM_GETCHECK, 0, 0) == BST_CHECKED)
            modifiers |= UINT(box[0]);
    HWND keyList = GetDlgItem(dialog, controls.keyList);
    const std::string key = itemText(keyList, int(SendMessageW(keyList, CB_GETCURSEL, 0, 0)));
    return makeHotkeyCode(modifiers, key.empty() ? 0 : static_cast<unsigned char>(key[0]));
}

std::vector<std::string> keyListItems(HWND dialog, DialogHotkey which) {
    HWND keyList = GetDlgItem(dialog, controlsOf(which).keyList);
    std::vector<std::string> items;
    const int count = int(SendMessageW(keyList, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(itemText(keyList, i));
    return items;
}

void pressSet(HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }

std::vector<HWND> errorBoxesOf(DWORD pid) {
    std::vector<HWND> boxes;
    for (HWND window : visibleWindowsOf(pid)) {
        char caption[16] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::string(caption) == "Error") boxes.push_back(window);
    }
    return boxes;
}

std::vector<std::string> dismissMessages(DWORD pid, DWORD firstTimeoutMs, DWORD quietMs) {
    std::vector<std::string> texts;
    for (DWORD timeout = firstTimeoutMs;; timeout = quietMs) {
        HWND box = waitForMessageBox(pid, timeout);
        if (!box) return texts;
        texts.push_back(messageBoxText(box));
        dismissMessageBox(box);
        // Gone before looking for the next, or it would be read twice.
        waitUntil([&] { return !IsWindow(box); });
    }
}

bool completeSetup(Grabnik& grabnik, HWND dialog, const HotkeyPair& hotkeys) {
    chooseHotkey(dialog, DialogHotkey::Selection, hotkeys.selection);
    chooseHotkey(dialog, DialogHotkey::File, hotkeys.file);
    pressSet(dialog);
    return waitUntil([&] { return !IsWindow(dialog); }) && grabnik.waitReady() &&
           errorBoxesOf(grabnik.pid()).empty();
}

}  // namespace e2e
