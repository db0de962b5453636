#include "launcher_shortcut.h"

#include <shlobj.h>

#include "core/snip_state.h"
#include "core/win_holders.h"

namespace {

// The three identifiers we use, spelled out here: the platform's uuid
// library defines them all in one object, and linking it adds some 35 KB of
// identifiers that the program never uses.
constexpr GUID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID ShellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The program's own path, made absolute; false when it does not fit
// PathCapacity with its terminator.
bool absoluteProgramPath(char (&path)[PathCapacity]) {
    char module[PathCapacity];
    // The whole buffer used means the path was cut short.
    const DWORD length = GetModuleFileNameA(nullptr, module, PathCapacity);
    if (length == 0 || length >= PathCapacity) return false;
    // Too small a buffer gives the size it would need, terminator included.
    const DWORD fullLength = GetFullPathNameA(module, PathCapacity, path, nullptr);
    return fullLength != 0 && fullLength < PathCapacity;
}

}  // namespace

void deriveShortcutPaths(ShortcutPaths& paths) {
    char program[PathCapacity];
    // An empty path names no program, so no shortcut is written.
    if (!absoluteProgramPath(program)) program[0] = '\0';
    deriveShortcutPaths(program, paths);
}

HRESULT createLauncherShortcut(const char* target, const char* path, const char* description,
                               const char* arguments) {
    ComPointer<IShellLinkA> link;
    HRESULT result = CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                                      ShellLinkInterface, link.out());
    if (FAILED(result)) return result;

    // The save below reports whatever matters; a setter that failed leaves a
    // shortcut that still starts the target.
    link->SetPath(target);
    link->SetDescription(description);
    link->SetArguments(arguments);

    // Declared after the link, so it is released first.
    ComPointer<IPersistFile> file;
    result = link->QueryInterface(PersistFileInterface, file.out());
    if (FAILED(result)) return result;

    WCHAR widePath[PathCapacity];
    // A path that is not valid in the code page must not be saved under a
    // half-converted name.
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, PathCapacity))
        return HRESULT_FROM_WIN32(GetLastError());
    return file->Save(widePath, TRUE);
}

void writeLauncherShortcut(const HotkeyPair& hotkeys) {
    ShortcutPaths paths;
    deriveShortcutPaths(paths);
    writeLauncherShortcut(paths, hotkeys);
}

void writeLauncherShortcut(const ShortcutPaths& paths, const HotkeyPair& hotkeys) {
    if (paths.shortcutPath[0] == '\0') return;

    char argumentText[PathCapacity];
    // The option this process was started with starts the next one too.
    composeLauncherArguments(snipState.startOptions, hotkeys, argumentText);

    ComApartment com;
    // Best-effort: the setup succeeded whether or not the shortcut is written.
    createLauncherShortcut(paths.shortcutTarget, paths.shortcutPath, "Grabnik", argumentText);
}
