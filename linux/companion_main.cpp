// grabnik-companion: the Linux desktop's part of Grabnik under Wine.
//   grabnik-companion FOLDER [ARGUMENTS...]   starts FOLDER/grabnik.exe with
//       the arguments and the bridge beside it, grabs both hotkeys on the X
//       root window and passes each press into the Wine session; ends when
//       Grabnik ends, with its exit status. One runs on a display at a time.
//       In a Wayland session the selection hotkey first takes the screen
//       through the desktop's screenshot portal and hands that picture to
//       Grabnik to freeze.
//   grabnik-companion --from-shortcut FOLDER  the same with the arguments of
//       the launcher shortcut that the setup dialog saved beside the program,
//       or with none (the setup dialog) before there is one.
//   grabnik-companion --press selection|file  presses a hotkey in the
//       companion running on this display.
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

// A bridge that ends sooner than this after it was started again will not
// run here: starting it once more would only fail the same way.
constexpr std::chrono::seconds BridgeEndsAtOnce{1};

using Clock = std::chrono::steady_clock;

struct Companion {
    std::string folder;
    RootGrabs grabs;
    WineChild grabnik;
    WineChild bridge;
    Clock::time_point bridgeStarted;
    bool bridgeRestarted;
    int signals;
    int shortcutWatch;  // -1 once the hotkeys are known
    int exitStatus;     // Grabnik's, once it has ended
    // In a Wayland session X programs see a black screen: the selection
    // hotkey's picture comes from the desktop's portal instead.
    bool screenThroughPortal;
    ScreenPortal portal;
};

// The arguments of the launcher shortcut in the folder, and the hotkeys
// they name: both zero when there is no shortcut or it lacks one.
HotkeyPair savedArguments(const std::string& folder, std::string& arguments) {
    std::ifstream file(folder + "/" + LauncherShortcut, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    if (!readShortcutArguments(bytes.data(), bytes.size(), arguments)) return {0, 0};
    const HotkeyPair hotkeys = findHotkeyCodes(arguments.c_str());
    return hotkeys.selection && hotkeys.file ? hotkeys : HotkeyPair{0, 0};
}

void startBridge(Companion& companion) {
    companion.bridge = startWineProgram(companion.folder, "grabnik-bridge.exe", {}, true);
    companion.bridgeStarted = Clock::now();
}

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

// Started again, so that the hotkeys keep working. One that ends again at
// once will not run: the grabs would only keep the keys from every other
// program, and are given back.
void onBridgeEnded(Companion& companion) {
    if (companion.bridgeRestarted && Clock::now() - companion.bridgeStarted < BridgeEndsAtOnce) {
        companion.grabs.selection.code = 0;
        companion.grabs.file.code = 0;
        grabHotkeys(companion.grabs);
        if (companion.shortcutWatch >= 0) close(companion.shortcutWatch);
        companion.shortcutWatch = -1;
        std::fprintf(stderr,
                     "grabnik-companion: the bridge ended again at once; both hotkeys are given "
                     "back and work only while a Grabnik window has the keyboard.\n");
        return;
    }
    std::fprintf(stderr, "grabnik-companion: the bridge has ended; it is started again.\n");
    startBridge(companion);
    companion.bridgeRestarted = true;
}

void onXEvents(Companion& companion) {
    while (XPending(companion.grabs.display)) {
        XEvent event;
        XNextEvent(companion.grabs.display, &event);
        if (event.type == KeyPress) {
            if (const RootGrab* grab = grabOfPress(companion.grabs, event.xkey))
                press(companion, *grab);
        } else if (isKeyboardChange(companion.grabs, event)) {
            // Another layout or group may put the keys elsewhere.
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

    std::string arguments;
    const HotkeyPair hotkeys = savedArguments(companion.folder, arguments);
    if (!hotkeys.selection) return;
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
        // Either child: Grabnik's end ends the loop; a bridge that ends
        // while Grabnik runs is started again.
        reapWineProgram(companion.grabnik, false, companion.exitStatus);
        if (int bridgeStatus = 0;
            reapWineProgram(companion.bridge, false, bridgeStatus) && companion.grabnik.pid >= 0)
            onBridgeEnded(companion);
        break;
    default:
        // Ended from outside: end Grabnik, and with it the loop. Never
        // without a process number: kill(-1) would signal everything.
        if (companion.grabnik.pid > 0) kill(companion.grabnik.pid, SIGTERM);
        break;
    }
}

int runCompanion(const char* folder, const std::vector<std::string>& arguments) {
    // Read from the loop, and blocked before the record names this process:
    // a press asked for before the loop runs waits for it, where the
    // signal's default action would end the companion.
    sigset_t handled;
    sigemptyset(&handled);
    for (int signal : {PressSelectionSignal, PressFileSignal, SIGCHLD, SIGTERM, SIGINT, SIGHUP})
        sigaddset(&handled, signal);
    sigprocmask(SIG_BLOCK, &handled, nullptr);
    // A bridge that has ended shows as a failed write, not as death.
    signal(SIGPIPE, SIG_IGN);

    // A second companion on the display starts nothing.
    CompanionRecord record;
    if (!record.take()) return 1;

    // The argument text as the program receives it: the same hotkeys.
    std::string argumentText;
    for (const std::string& argument : arguments) argumentText += argument + " ";
    const HotkeyPair hotkeys = findHotkeyCodes(argumentText.c_str());

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "grabnik-companion: cannot open the X display.\n");
        return 1;
    }

    Companion companion = {
        folder,
        {display, -1, {}, {"selection", hotkeys.selection, {}, 0}, {"file", hotkeys.file, {}, 0}},
        {-1, -1},
        {-1, -1},
        {},
        false,
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
    startBridge(companion);
    companion.grabnik = startWineProgram(folder, "grabnik.exe", arguments, false);
    watchKeyboard(companion.grabs);
    if (hotkeysKnown) grabHotkeys(companion.grabs);

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

    // Closing the connection gives back every grab.
    XCloseDisplay(display);
    int bridgeStatus = 0;
    reapWineProgram(companion.bridge, true, bridgeStatus);
    return companion.exitStatus;
}

// The saved hotkeys' arguments as words, or none: the setup dialog.
std::vector<std::string> argumentsFromShortcut(const char* folder) {
    std::string arguments;
    return savedArguments(folder, arguments).selection ? argumentWords(arguments)
                                                       : std::vector<std::string>{};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--press") == 0) return pressInRunningCompanion(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--from-shortcut") == 0)
        return runCompanion(argv[2], argumentsFromShortcut(argv[2]));
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: grabnik-companion FOLDER [ARGUMENTS...]\n"
                     "       grabnik-companion --from-shortcut FOLDER\n"
                     "       grabnik-companion --press selection|file\n");
        return 2;
    }
    return runCompanion(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
