#include "shortcut_reader.h"

#include <shlobj.h>

#include "core/win_holders.h"

namespace e2e {

namespace {

using TextGetter = HRESULT (*)(IShellLinkA*, char*);

std::string readText(IShellLinkA* link, TextGetter get) {
    char text[MAX_PATH] = "";
    get(link, text);
    return text;
}

ShortcutContent load(IShellLinkA* link, IPersistFile* file, const std::string& path) {
    ShortcutContent content;
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    content.loaded = file->Load(widePath, STGM_READ);
    content.target = readText(link, [](IShellLinkA* l, char* t) {
        return l->GetPath(t, MAX_PATH, nullptr, SLGP_RAWPATH);
    });
    content.arguments =
        readText(link, [](IShellLinkA* l, char* t) { return l->GetArguments(t, MAX_PATH); });
    content.description =
        readText(link, [](IShellLinkA* l, char* t) { return l->GetDescription(t, MAX_PATH); });
    content.workingDirectory =
        readText(link, [](IShellLinkA* l, char* t) { return l->GetWorkingDirectory(t, MAX_PATH); });
    content.iconPath = readText(link, [](IShellLinkA* l, char* t) {
        int index = 0;
        return l->GetIconLocation(t, MAX_PATH, &index);
    });
    link->GetHotkey(&content.hotkey);
    return content;
}

}  // namespace

ShortcutContent readShortcut(const std::string& path) {
    const ComApartment com;
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.out())))
        return ShortcutContent();
    // Declared after the link, so it is released first.
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return ShortcutContent();
    return load(link.get(), file.get(), path);
}

testing::AssertionResult isLauncher(const ShortcutContent& shortcut, const std::string& target,
                                    const std::string& arguments) {
    if (shortcut.loaded != S_OK)
        return testing::AssertionFailure() << "not loaded: 0x" << std::hex << shortcut.loaded;
    if (lstrcmpiA(shortcut.target.c_str(), target.c_str()) != 0 ||
        shortcut.arguments != arguments || shortcut.description != "Grabnik" ||
        !shortcut.workingDirectory.empty() || !shortcut.iconPath.empty() || shortcut.hotkey != 0)
        return testing::AssertionFailure()
               << "target [" << shortcut.target << "] arguments [" << shortcut.arguments
               << "] description [" << shortcut.description << "] working directory ["
               << shortcut.workingDirectory << "] icon [" << shortcut.iconPath << "] hotkey "
               << shortcut.hotkey;
    return testing::AssertionSuccess();
}

}  // namespace e2e
