#include "screen_portal.h"

#include <dbus/dbus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "portal_request_logic.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* PortalService = "org.freedesktop.portal.Desktop";
constexpr const char* PortalObject = "/org/freedesktop/portal/desktop";
constexpr const char* RequestInterface = "org.freedesktop.portal.Request";

// A desktop that asks the user first answers only once the user has: after
// this long without an answer the companion says what to allow.
constexpr std::chrono::seconds HintAfter{2};

constexpr const char* AllowHint =
    "The desktop may be asking whether programs may take screenshots: allow it, "
    "once, for the selection hotkey to work.";

struct MessageUnref {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
// A message of ours or popped from the bus: released when the holder goes.
using Message = std::unique_ptr<DBusMessage, MessageUnref>;

void appendEntry(DBusMessageIter& dictionary, const char* key, int type, const void* value) {
    const char signature[2] = {char(type), '\0'};
    DBusMessageIter entry, variant;
    dbus_message_iter_open_container(&dictionary, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
    dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
    dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, signature, &variant);
    dbus_message_iter_append_basic(&variant, type, value);
    dbus_message_iter_close_container(&entry, &variant);
    dbus_message_iter_close_container(&dictionary, &entry);
}

// Screenshot("", {handle_token, interactive: false}).
Message screenshotCall(const std::string& token) {
    Message call(dbus_message_new_method_call(PortalService, PortalObject,
                                              "org.freedesktop.portal.Screenshot", "Screenshot"));
    if (!call) return call;
    DBusMessageIter arguments, options;
    dbus_message_iter_init_append(call.get(), &arguments);
    const char* parentWindow = "";
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &parentWindow);
    dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &options);
    const char* tokenText = token.c_str();
    appendEntry(options, "handle_token", DBUS_TYPE_STRING, &tokenText);
    const dbus_bool_t interactive = false;
    appendEntry(options, "interactive", DBUS_TYPE_BOOLEAN, &interactive);
    dbus_message_iter_close_container(&arguments, &options);
    return call;
}

std::string responseRule(const std::string& path) {
    return "type='signal',interface='" + std::string(RequestInterface) +
           "',member='Response',path='" + path + "'";
}

void endGrab(ScreenPortal& portal) {
    if (portal.bus)
        dbus_bus_remove_match(portal.bus.get(), responseRule(portal.requestPath).c_str(), nullptr);
    portal.requestPath.clear();
}

// The results' "uri" entry, or empty.
std::string uriOfResults(DBusMessageIter& results) {
    if (dbus_message_iter_get_arg_type(&results) != DBUS_TYPE_ARRAY) return {};
    DBusMessageIter entries;
    for (dbus_message_iter_recurse(&results, &entries);
         dbus_message_iter_get_arg_type(&entries) == DBUS_TYPE_DICT_ENTRY;
         dbus_message_iter_next(&entries)) {
        DBusMessageIter entry, value;
        dbus_message_iter_recurse(&entries, &entry);
        const char* key = nullptr;
        dbus_message_iter_get_basic(&entry, &key);
        if (std::strcmp(key, "uri") != 0 || !dbus_message_iter_next(&entry)) continue;
        dbus_message_iter_recurse(&entry, &value);
        if (dbus_message_iter_get_arg_type(&value) != DBUS_TYPE_STRING) return {};
        const char* uri = nullptr;
        dbus_message_iter_get_basic(&value, &uri);
        return uri;
    }
    return {};
}

// Response(u response, a{sv} results): 0 with the picture's URI, 1 when
// the user cancelled, 2 when the desktop refused or failed.
PortalOutcome onResponse(ScreenPortal& portal, DBusMessage* response, std::string& file) {
    endGrab(portal);
    DBusMessageIter arguments;
    dbus_uint32_t code = 2;
    if (dbus_message_iter_init(response, &arguments) &&
        dbus_message_iter_get_arg_type(&arguments) == DBUS_TYPE_UINT32) {
        dbus_message_iter_get_basic(&arguments, &code);
        dbus_message_iter_next(&arguments);
    }
    if (code != 0) {
        std::fprintf(stderr,
                     "grabnik-companion: the desktop %s the screenshot (response %u); "
                     "nothing is frozen.\n",
                     code == 1 ? "cancelled" : "refused", unsigned(code));
        return PortalOutcome::Nothing;
    }
    const std::string uri = uriOfResults(arguments);
    if (!pathOfFileUri(uri, file)) {
        std::fprintf(stderr,
                     "grabnik-companion: the screenshot portal named no file (\"%s\"); "
                     "nothing is frozen.\n",
                     uri.c_str());
        return PortalOutcome::Nothing;
    }
    return PortalOutcome::Picture;
}

// A desktop notification, when a notification server runs; nothing
// otherwise. No reply is waited for.
void notify(DBusConnection* bus, const char* text) {
    Message call(dbus_message_new_method_call("org.freedesktop.Notifications",
                                              "/org/freedesktop/Notifications",
                                              "org.freedesktop.Notifications", "Notify"));
    if (!call) return;
    const char* application = "Grabnik";
    const char* icon = "";
    const char* summary = "Grabnik is waiting for a screenshot";
    const dbus_uint32_t replaces = 0;
    const dbus_int32_t expires = -1;
    DBusMessageIter arguments, actions, hints;
    dbus_message_iter_init_append(call.get(), &arguments);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &application);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_UINT32, &replaces);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &icon);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &summary);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &text);
    dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "s", &actions);
    dbus_message_iter_close_container(&arguments, &actions);
    dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &hints);
    dbus_message_iter_close_container(&arguments, &hints);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_INT32, &expires);
    dbus_message_set_no_reply(call.get(), true);
    dbus_connection_send(bus, call.get(), nullptr);
    dbus_connection_flush(bus);
}

bool connect(ScreenPortal& portal) {
    if (portal.bus && dbus_connection_get_is_connected(portal.bus.get())) return true;
    DBusError error;
    dbus_error_init(&error);
    // Private: the companion alone reads it, and closes it when it ends.
    // The address is read anew at each connection (the bus library would
    // keep the first it saw), so that a bus started again is found.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address || !*address) {
        portal.bus.reset(dbus_bus_get_private(DBUS_BUS_SESSION, &error));
    } else {
        portal.bus.reset(dbus_connection_open_private(address, &error));
        if (portal.bus && !dbus_bus_register(portal.bus.get(), &error)) portal.bus.reset();
    }
    if (!portal.bus) {
        std::fprintf(stderr, "grabnik-companion: no session bus for the screenshot portal: %s\n",
                     error.message);
        dbus_error_free(&error);
        return false;
    }
    // A lost bus ends a grab, never the companion.
    dbus_connection_set_exit_on_disconnect(portal.bus.get(), false);
    return true;
}

}  // namespace

void SessionBusClose::operator()(DBusConnection* bus) const {
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
}

std::chrono::milliseconds portalTimeout() {
    const char* seconds = std::getenv("GRABNIK_PORTAL_TIMEOUT");
    const long value = seconds ? std::strtol(seconds, nullptr, 10) : 0;
    return std::chrono::seconds(value > 0 ? value : 30);
}

bool startPortalGrab(ScreenPortal& portal, std::chrono::milliseconds timeout) {
    if (!portal.requestPath.empty()) {
        std::fprintf(stderr,
                     "grabnik-companion: a screenshot is still being taken; "
                     "this press is dropped.\n");
        return false;
    }
    if (!connect(portal)) return false;
    const std::string token = "grabnik" + std::to_string(++portal.requests);
    const std::string path = portalRequestPath(dbus_bus_get_unique_name(portal.bus.get()), token);
    // Listened on before the call: the answer may come before the reply.
    dbus_bus_add_match(portal.bus.get(), responseRule(path).c_str(), nullptr);
    const Message call = screenshotCall(token);
    dbus_uint32_t serial = 0;
    if (!call || !dbus_connection_send(portal.bus.get(), call.get(), &serial)) {
        std::fprintf(stderr, "grabnik-companion: the screenshot request could not be sent.\n");
        dbus_bus_remove_match(portal.bus.get(), responseRule(path).c_str(), nullptr);
        return false;
    }
    dbus_connection_flush(portal.bus.get());
    portal.requestPath = path;
    portal.callSerial = serial;
    portal.hinted = false;
    const Clock::time_point now = Clock::now();
    portal.hintAt = now + HintAfter;
    portal.giveUpAt = now + timeout;
    return true;
}

int portalPollFd(const ScreenPortal& portal) {
    int fd = -1;
    if (!portal.requestPath.empty()) dbus_connection_get_unix_fd(portal.bus.get(), &fd);
    return fd;
}

int portalMsUntilDue(const ScreenPortal& portal) {
    if (portal.requestPath.empty()) return -1;
    const Clock::time_point due = portal.hinted ? portal.giveUpAt : portal.hintAt;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

PortalOutcome onPortalInput(ScreenPortal& portal, std::string& file) {
    DBusConnection* bus = portal.bus.get();
    if (portal.requestPath.empty()) return PortalOutcome::Waiting;
    if (!dbus_connection_read_write(bus, 0)) {
        endGrab(portal);
        std::fprintf(stderr, "grabnik-companion: the session bus has gone; nothing is frozen.\n");
        return PortalOutcome::Nothing;
    }
    while (Message message{dbus_connection_pop_message(bus)}) {
        DBusMessage* m = message.get();
        if (dbus_message_get_type(m) == DBUS_MESSAGE_TYPE_ERROR &&
            dbus_message_get_reply_serial(m) == portal.callSerial) {
            endGrab(portal);
            DBusError error;
            dbus_error_init(&error);
            dbus_set_error_from_message(&error, m);
            std::fprintf(stderr,
                         "grabnik-companion: no screenshot portal answers (%s: %s); "
                         "nothing is frozen.\n",
                         error.name, error.message);
            dbus_error_free(&error);
            return PortalOutcome::Nothing;
        }
        if (dbus_message_is_signal(m, RequestInterface, "Response") &&
            dbus_message_has_path(m, portal.requestPath.c_str()))
            return onResponse(portal, m, file);
    }
    return PortalOutcome::Waiting;
}

PortalOutcome onPortalDue(ScreenPortal& portal) {
    if (portal.requestPath.empty()) return PortalOutcome::Waiting;
    const Clock::time_point now = Clock::now();
    if (now >= portal.giveUpAt) {
        endGrab(portal);
        std::fprintf(stderr,
                     "grabnik-companion: the screenshot portal did not answer in time; "
                     "nothing is frozen. %s\n",
                     AllowHint);
        return PortalOutcome::Nothing;
    }
    if (!portal.hinted && now >= portal.hintAt) {
        portal.hinted = true;
        std::fprintf(stderr, "grabnik-companion: still waiting for the screenshot. %s\n",
                     AllowHint);
        notify(portal.bus.get(), AllowHint);
    }
    return PortalOutcome::Waiting;
}
