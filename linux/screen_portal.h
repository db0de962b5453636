// The desktop's screenshot portal (org.freedesktop.portal.Screenshot) on the
// session bus: how the companion sees the screen in a Wayland session, where
// an X program's screen read gives black. One grab at a time, answered
// asynchronously: the companion's loop polls the bus beside its other input
// and is never held up by a portal that does not answer.
#pragma once

#include <chrono>
#include <memory>
#include <string>

struct DBusConnection;

// The companion's own connection to the session bus: closed and released
// when the holder goes.
struct SessionBusClose {
    void operator()(DBusConnection* bus) const;
};
using SessionBus = std::unique_ptr<DBusConnection, SessionBusClose>;

struct ScreenPortal {
    SessionBus bus;           // connected at the first grab, kept after
    std::string requestPath;  // where the running grab is answered; empty when none runs
    unsigned callSerial = 0;  // of the running grab's call, to match an error reply
    unsigned requests = 0;    // numbers the request tokens
    std::chrono::steady_clock::time_point hintAt;    // when to say what to allow
    std::chrono::steady_clock::time_point giveUpAt;  // when to stop waiting
    bool hinted = false;
};

enum class PortalOutcome {
    Waiting,  // no answer yet
    Picture,  // the portal wrote the screen into a file
    Nothing,  // refused, failed or not answered in time: said on stderr
};

// How long a grab is waited for: GRABNIK_PORTAL_TIMEOUT seconds, 30 by
// default. The first grab on some desktops asks the user, and the answer
// comes only once the user has answered.
std::chrono::milliseconds portalTimeout();

// Asks the portal for the whole screen, without a dialog. False, said on
// stderr, when a grab is still running (this press is dropped) or when the
// bus cannot be reached.
bool startPortalGrab(ScreenPortal& portal, std::chrono::milliseconds timeout);

// The bus connection to poll while a grab runs, or -1.
int portalPollFd(const ScreenPortal& portal);
// Milliseconds until onPortalDue should run, or -1 while no grab runs.
int portalMsUntilDue(const ScreenPortal& portal);

// Reads what the bus has brought. On Picture, `file` names the PNG the portal
// wrote; it is the caller's to read and delete.
PortalOutcome onPortalInput(ScreenPortal& portal, std::string& file);
// Time has passed: the first time, says on stderr and in a desktop
// notification what to allow, in case the desktop is asking the user;
// at the timeout, gives up.
PortalOutcome onPortalDue(ScreenPortal& portal);
