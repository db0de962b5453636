// The Wayland rows of the benchmark: the press command (what a desktop
// shortcut runs) to Grabnik's overlay shown, through the companion, the
// screenshot portal, the bridge and the freeze from the portal's picture;
// beside it, in the same run, the portal's grab alone as the companion makes
// it. Run by scripts/wayland.sh bench in each headless session; prints one
// row of the table.
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "desktop/portal_grab.h"
#include "support/clock.h"

namespace {

constexpr int Runs = 15;
constexpr double TargetExtraMs = 40;

// What a desktop shortcut runs: scripts/press.sh, whose companion is the
// release build (GRABNIK_PRESS_COMMAND); the test build's otherwise.
void press() {
    const char* command = std::getenv("GRABNIK_PRESS_COMMAND");
    commandOutput(std::string(command ? command : GRABNIK_COMPANION " --press") + " selection");
}

// Closes the overlay as a user would and lets the desktop settle: Escape,
// or where the overlay has no keyboard (gnome-shell after the first snip)
// a small drag, which copies and closes.
bool closeOverlay(XDesktop& desktop) {
    if (desktop.waitOverlayFocus(1000))
        desktop.pressKeys({XK_Escape});
    else
        desktop.drag(100, 100, 104, 104);
    const bool closed = desktop.waitOverlay(false, 3000);
    if (!closed) std::fprintf(stderr, "the overlay stayed\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return closed;
}

// One grab through the companion's portal client; the picture is deleted.
// Milliseconds, or a negative number when no picture came.
double portalGrabMs(ScreenPortal& portal) {
    const double start = nowMs();
    const std::string file = portalGrab(portal, std::chrono::seconds(5));
    const double elapsed = nowMs() - start;
    if (file.empty()) return -1;
    std::remove(file.c_str());
    return elapsed;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    const char* session = std::getenv("GRABNIK_WAYLAND_DESKTOP");
    XDesktop desktop;
    if (!session || !desktop.display() || desktopProgramFolder().empty()) {
        std::fprintf(stderr, "run by scripts/wayland.sh bench\n");
        return 2;
    }
    PatternWindow window(desktop, 600, 400);
    Companion companion({"(ctrl+alt+S)", "(ctrl+alt+F)"});
    ScreenPortal portal;

    // Warm-up, and the wait for Grabnik's start: pressed until it answers.
    if (!desktop.pressUntilOverlay(press) || !closeOverlay(desktop) || portalGrabMs(portal) < 0) {
        std::fprintf(stderr, "Grabnik's overlay or the portal's picture did not come\n");
        return 1;
    }

    // In turns, so that both see the same machine.
    std::vector<double> presses, grabs;
    for (int run = 0; run < Runs; ++run) {
        const double grab = portalGrabMs(portal);
        // GNOME's flash of that grab ends first.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const double start = nowMs();
        press();
        if (grab < 0 || !desktop.waitOverlay(true, 5000)) {
            std::fprintf(stderr, "run %d: no %s\n", run, grab < 0 ? "picture" : "overlay");
            return 1;
        }
        presses.push_back(nowMs() - start);
        grabs.push_back(grab);
        if (!closeOverlay(desktop)) return 1;
    }
    const double pressMedian = median(presses), grabMedian = median(grabs);
    std::printf(
        "| Wayland (%s) | press command to overlay shown, through the screenshot portal | %.1f ms "
        "| %.1f | %.1f | the portal's grab alone | %.1f ms | +%.1f ms | at most %.0f ms more "
        "than the grab | %s |\n",
        session, pressMedian, *std::min_element(presses.begin(), presses.end()),
        *std::max_element(presses.begin(), presses.end()), grabMedian, pressMedian - grabMedian,
        TargetExtraMs, pressMedian - grabMedian <= TargetExtraMs ? "met" : "missed");
    return 0;
}
