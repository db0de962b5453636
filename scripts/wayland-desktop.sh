# Sourced by the Wayland tests and benchmark: a headless Wayland desktop with
# XWayland, its private session and system buses and its screenshot portal,
# started and stopped together.
#   start_wayland_desktop gnome|sway GEOMETRY   e.g. gnome 1024x768
#   stop_wayland_desktop
# Exports WAYLAND_DISPLAY, DISPLAY (XWayland), XDG_RUNTIME_DIR,
# DBUS_SESSION_BUS_ADDRESS and XDG_CURRENT_DESKTOP for what runs inside,
# and on sway SWAYSOCK.
# Everything started here carries the private runtime folder in its
# environment: the stop ends exactly those processes, the bus-activated
# portals included, and nothing of anyone else's.

wayland_desktop_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Waits up to thirty seconds for a command to succeed.
wait_for() {
  local _
  for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "timed out waiting for: $*" >&2
  return 1
}

# A private bus on a socket in the runtime folder; its address on stdout.
start_private_bus() {
  local socket=$XDG_RUNTIME_DIR/$1
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$socket" \
    >/dev/null 2>&1 </dev/null &
  wait_for test -S "$socket" || return 1
  echo "unix:path=$socket"
}

start_wayland_desktop() {
  local kind=$1 geometry=$2
  WAYLAND_DESKTOP_RUNTIME=$(mktemp -d /tmp/grabnik-wayland.XXXXXX)
  chmod 700 "$WAYLAND_DESKTOP_RUNTIME"
  # sway refuses to run as root: it runs as this user, and owns the folder.
  [ "$kind" != sway ] || chown "$WAYLAND_DESKTOP_USER:" "$WAYLAND_DESKTOP_RUNTIME"
  export XDG_RUNTIME_DIR=$WAYLAND_DESKTOP_RUNTIME
  unset DISPLAY XAUTHORITY WAYLAND_DISPLAY
  export GSETTINGS_BACKEND=memory
  # Bus-activated services (the portals) inherit the bus's environment.
  DBUS_SYSTEM_BUS_ADDRESS=$(start_private_bus system-bus) || return 1
  export DBUS_SYSTEM_BUS_ADDRESS
  case $kind in
    gnome) export XDG_CURRENT_DESKTOP=GNOME ;;
    sway) export XDG_CURRENT_DESKTOP=sway ;;
    *) echo "unknown compositor: $kind" >&2; return 1 ;;
  esac
  DBUS_SESSION_BUS_ADDRESS=$(start_private_bus session-bus) || return 1
  export DBUS_SESSION_BUS_ADDRESS
  "start_${kind}_compositor" "$geometry" || { stop_wayland_desktop; return 1; }
  # The portals see the XWayland display too.
  dbus-update-activation-environment DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP \
    XDG_RUNTIME_DIR XAUTHORITY >/dev/null 2>&1 || true
}

# Whether the shell's overview is shown: succeeds when it reads as $1.
gnome_overview() {
  [[ $(gdbus call --session --timeout 2 --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive 2>/dev/null) == *"$1"* ]]
}

start_gnome_compositor() {
  local geometry=$1
  export WAYLAND_DISPLAY=wayland-grabnik
  gnome-shell --wayland --headless --virtual-monitor "$geometry" \
    --wayland-display="$WAYLAND_DISPLAY" >"$XDG_RUNTIME_DIR/compositor.log" 2>&1 </dev/null &
  # The shell enters the overview once it has started, and the overview
  # would hide every window: left again once it is there.
  wait_for gnome_overview "<true>" || return 1
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive '<false>' >/dev/null
  wait_for gnome_overview "<false>" || return 1
  local auth
  wait_for compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" || return 1
  auth=$(compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" | head -n1)
  export XAUTHORITY=$auth
  wait_for xwayland_display || return 1
  DISPLAY=$(xwayland_display)
  export DISPLAY
  # A keyboard on the headless seat, for Wayland clipboard clients.
  local ready=$XDG_RUNTIME_DIR/keyboard-ready
  /usr/bin/python3 "$wayland_desktop_dir/mutter-keyboard.py" >"$ready" 2>/dev/null </dev/null &
  wait_for grep -q ready "$ready" || return 1
  # Screenshots allowed for programs outside a sandbox (the empty
  # application id), as a user's answer to the one-time question would.
  gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
    --object-path /org/freedesktop/impl/portal/PermissionStore \
    --method org.freedesktop.impl.portal.PermissionStore.SetPermission \
    screenshot true screenshot '' "['yes']" >/dev/null
}

# The unprivileged user that runs sway.
WAYLAND_DESKTOP_USER=nobody

as_desktop_user() {
  setpriv --reuid="$WAYLAND_DESKTOP_USER" --regid="$(id -g "$WAYLAND_DESKTOP_USER")" \
    --clear-groups "$@"
}

start_sway_compositor() {
  local geometry=$1 config=$XDG_RUNTIME_DIR/sway.config
  # Xwayland at once, not at the first X client's connection.
  printf 'xwayland force\noutput HEADLESS-1 mode %s\n' "$geometry" >"$config"
  chmod 644 "$config"
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    as_desktop_user sway -c "$config" >"$XDG_RUNTIME_DIR/compositor.log" 2>&1 </dev/null &
  # sway picks the socket's name itself.
  wait_for compgen -G "$XDG_RUNTIME_DIR/wayland-*.lock" || return 1
  WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*.lock" | head -n1)" .lock)
  export WAYLAND_DISPLAY
  wait_for xwayland_display || return 1
  DISPLAY=$(xwayland_display)
  export DISPLAY
  # Its command socket, for swaymsg: how the tests switch windows as a
  # user's key binding would.
  wait_for compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" || return 1
  SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" | head -n1)
  export SWAYSOCK
  # Root's X programs (Wine) on the user's XWayland.
  wait_for as_desktop_user xhost +si:localuser:root || return 1
  # The screenshot portal's backend needs a running PipeWire.
  pipewire >"$XDG_RUNTIME_DIR/pipewire.log" 2>&1 </dev/null &
  wait_for test -S "$XDG_RUNTIME_DIR/pipewire-0"
}

# The display number of the XWayland that this desktop's compositor runs.
xwayland_display() {
  local pid words
  for pid in $(wayland_desktop_processes); do
    mapfile -d '' -t words 2>/dev/null <"/proc/$pid/cmdline" || continue
    if [[ ${words[0]:-} == *Xwayland && ${words[1]:-} == :* ]]; then
      echo "${words[1]}"
      return 0
    fi
  done
  return 1
}

# This desktop's processes: those whose environment names its runtime folder.
wayland_desktop_processes() {
  local environ pid
  for environ in $(grep -lzx "XDG_RUNTIME_DIR=$WAYLAND_DESKTOP_RUNTIME" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    # Not the shell that sources this, nor the subshell that asks.
    [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] || continue
    echo "$pid"
  done
}

stop_wayland_desktop() {
  [ -n "${WAYLAND_DESKTOP_RUNTIME:-}" ] || return 0
  local pids _
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    pids=$(wayland_desktop_processes)
    [ -n "$pids" ] || break
    # shellcheck disable=SC2086
    kill $pids 2>/dev/null || true
    sleep 0.3
  done
  pids=$(wayland_desktop_processes)
  # shellcheck disable=SC2086
  [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
  rm -rf "$WAYLAND_DESKTOP_RUNTIME"
  WAYLAND_DESKTOP_RUNTIME=
}
