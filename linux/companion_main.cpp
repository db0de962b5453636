// grabnik-companion: the Linux desktop's part of Grabnik under Wine.
//   grabnik-companion FOLDER [ARGUMENTS...]   starts FOLDER/grabnik.exe with
//       the arguments and the bridge beside it, grabs both hotkeys on the X
//       root window and passes each press into the Wine session; ends when
//       Grabnik ends, with its exit status. In a Wayland session the
//       selection hotkey first takes the screen through the desktop's
//       screenshot portal and hands that picture to Grabnik to freeze.
//   grabnik-companion --press selection|file  presses a hotkey in the
//       companion running on this display.
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/hotkey_text_logic.h"
#include "portal_picture.h"
#include "running_companion.h"
#include "screen_portal.h"
#include "shortcut_arguments.h"
#include "wine_children.h"
#include "x_grabs.h"

namespace {

// The launcher shortcut that a successful setup dialog writes beside the
// program: its arguments are the hotkeys chosen there.
constexpr const char* LauncherShortcut = "grabnik.lnk";

struct Companion {
    std::string folder;
    RootGrabs grabs;
    WineChild grabnik;
    WineChild bridge;
    int signals;
    int shortcutWatch;  // -1 once the hotkeys are known
    int exitStatus;     // Grabnik's, once it has ended
    // In a Wayland session X programs see a black screen: the selection
    // hotkey's picture comes from the desktop's portal instead.
    bool screenThroughPortal;
    ScreenPortal portal;
};

// One line to the bridge: a hotkey code, or a picture to freeze from.
void tellBridge(Companion& companion, const std::string& line) {
    if (companion.bridge.inputFd < 0 ||
        write(companion.bridge.inputFd, line.data(), line.size()) != ssize_t(line.size()))
        std::fprintf(stderr, "grabnik-companion: the bridge has ended; nothing is passed on.\n");
}

// The bridge turns the line into the same key presses inside the session.
void pressHotkey(Companion& companion, HotkeyCode code) {
    if (code == 0) return;
    char line[16];
    std::snprintf(line, sizeof line, "%x\n", code);
    tellBridge(companion, line);
}

void press(Companion& companion, const RootGrab& hotkey) {
    if (hotkey.code == 0) return;
    if (&hotkey == &companion.grabs.selection && companion.screenThroughPortal)
        startPortalGrab(companion.portal, portalTimeout());
    else
        pressHotkey(companion, hotkey.code);
}

void onPortalOutcome(Companion& companion, PortalOutcome outcome, const std::string& file) {
    std::string picture;
    if (outcome == PortalOutcome::Picture && movePictureIntoPrefix(file, picture))
        tellBridge(companion, "freeze " + picture + "\n");
}

bool wayland() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return display && *display;
}

void onXEvents(Companion& companion) {
    while (XPending(companion.grabs.display)) {
        XEvent event;
        XNextEvent(companion.grabs.display, &event);
        if (event.type == KeyPress) {
            if (const RootGrab* grab = grabOfPress(companion.grabs, event.xkey))
                press(companion, *grab);
        } else if (event.type == MappingNotify && event.xmapping.request != MappingPointer) {
            // Another layout may put the keys elsewhere: grab them anew.
            ungrabHotkeys(companion.grabs);
            XRefreshKeyboardMapping(&event.xmapping);
            grabHotkeys(companion.grabs);
        }
    }
}

// The shortcut has been written: once it names both hotkeys, they are
// grabbed and the watch ends.
void onShortcutWritten(Companion& companion) {
    alignas(inotify_event) char events[4096];
    const ssize_t length = read(companion.shortcutWatch, events, sizeof events);
    bool written = false;
    for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (event->len && std::strcmp(event->name, LauncherShortcut) == 0) written = true;
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    if (!written) return;

    std::ifstream file(companion.folder + "/" + LauncherShortcut, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::string arguments;
    if (!readShortcutArguments(bytes.data(), bytes.size(), arguments)) return;
    const HotkeyPair hotkeys = findHotkeyCodes(arguments.c_str());
    if (!hotkeys.selection || !hotkeys.file) return;
    companion.grabs.selection.code = hotkeys.selection;
    companion.grabs.file.code = hotkeys.file;
    grabHotkeys(companion.grabs);
    close(companion.shortcutWatch);
    companion.shortcutWatch = -1;
}

void onSignal(Companion& companion) {
    signalfd_siginfo info;
    if (read(companion.signals, &info, sizeof info) != ssize_t(sizeof info)) return;
    switch (int(info.ssi_signo)) {
    case PressSelectionSignal:
        press(companion, companion.grabs.selection);
        break;
    case PressFileSignal:
        press(companion, companion.grabs.file);
        break;
    case SIGCHLD:
        // Either child: Grabnik's end ends the loop; a bridge that ended
        // early is reaped too, and presses are no longer passed on.
        reapWineProgram(companion.grabnik, false, companion.exitStatus);
        if (int bridgeStatus = 0; reapWineProgram(companion.bridge, false, bridgeStatus))
            std::fprintf(stderr, "grabnik-companion: the bridge has ended.\n");
        break;
    default:
        // Ended from outside: end Grabnik, and with it the loop. Never
        // without a process number: kill(-1) would signal everything.
        if (companion.grabnik.pid > 0) kill(companion.grabnik.pid, SIGTERM);
        break;
    }
}

int runCompanion(const char* folder, const std::vector<std::string>& arguments) {
    // The argument text as the program receives it: the same hotkeys.
    std::string argumentText;
    for (const std::string& argument : arguments) argumentText += argument + " ";
    const HotkeyPair hotkeys = findHotkeyCodes(argumentText.c_str());

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "grabnik-companion: cannot open the X display.\n");
        return 1;
    }
    sigset_t handled;
    sigemptyset(&handled);
    for (int signal : {PressSelectionSignal, PressFileSignal, SIGCHLD, SIGTERM, SIGINT, SIGHUP})
        sigaddset(&handled, signal);
    sigprocmask(SIG_BLOCK, &handled, nullptr);
    // A bridge that has ended shows as a failed write, not as death.
    signal(SIGPIPE, SIG_IGN);

    Companion companion = {
        folder,
        {display, {}, {"selection", hotkeys.selection, 0, 0}, {"file", hotkeys.file, 0, 0}},
        {-1, -1},
        {-1, -1},
        signalfd(-1, &handled, SFD_CLOEXEC),
        -1,
        1,
        wayland(),
        {}};
    const bool hotkeysKnown = hotkeys.selection && hotkeys.file;
    if (!hotkeysKnown) {
        // Watched before Grabnik starts, so that no write is missed; an
        // earlier shortcut names earlier hotkeys and is not read.
        companion.shortcutWatch = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(companion.shortcutWatch, folder, IN_CLOSE_WRITE | IN_MOVED_TO);
    }
    companion.bridge = startWineProgram(folder, "grabnik-bridge.exe", {}, true);
    companion.grabnik = startWineProgram(folder, "grabnik.exe", arguments, false);
    if (hotkeysKnown) grabHotkeys(companion.grabs);
    recordRunningCompanion();

    while (companion.grabnik.pid >= 0) {
        // Xlib may already hold events read along with a reply.
        onXEvents(companion);
        pollfd watched[] = {{ConnectionNumber(display), POLLIN, 0},
                            {companion.signals, POLLIN, 0},
                            {companion.shortcutWatch, POLLIN, 0},
                            {portalPollFd(companion.portal), POLLIN, 0}};
        const int ready = poll(watched, 4, portalMsUntilDue(companion.portal));
        if (ready < 0) continue;
        std::string file;
        if (ready == 0) onPortalOutcome(companion, onPortalDue(companion.portal), file);
        if (watched[3].revents)
            onPortalOutcome(companion, onPortalInput(companion.portal, file), file);
        if (watched[1].revents) onSignal(companion);
        if (watched[2].revents) onShortcutWritten(companion);
    }

    forgetRunningCompanion();
    // Closing the connection gives back every grab.
    XCloseDisplay(display);
    int bridgeStatus = 0;
    reapWineProgram(companion.bridge, true, bridgeStatus);
    return companion.exitStatus;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--press") == 0) return pressInRunningCompanion(argv[2]);
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: grabnik-companion FOLDER [ARGUMENTS...]\n"
                     "       grabnik-companion --press selection|file\n");
        return 2;
    }
    return runCompanion(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
