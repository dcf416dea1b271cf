# shellcheck shell=bash
# Sourced by whatever needs a desktop's audio of its own (the autopkgtest
# on PipeWire, the desktop sessions, and harness/pipewireRunner, which the
# C++ tests and benches start): the one start-up of a private session bus,
# PipeWire and WirePlumber.
# XDG_RUNTIME_DIR (a private folder) and DBUS_SESSION_BUS_ADDRESS
# (unix:path=$XDG_RUNTIME_DIR/bus) must be set and exported.

# startPipewireSession START WAIT [EXTRA...]: each server started with
# "START NAME COMMAND..." (in the background, its output kept by the
# caller), each awaited with "WAIT WHAT COMMAND...", which polls COMMAND
# and fails when it never succeeds; EXTRA are further PipeWire services
# started beside WirePlumber (pipewire-pulse). Fails when one does not
# come up.
startPipewireSession() {
  local start="$1" wait="$2" extra
  shift 2
  # WirePlumber 0.4 ends when it cannot watch logind's folders, which a
  # booted system has and a bare root lacks.
  [[ ! -w /run ]] || mkdir -p /run/systemd/seats /run/systemd/sessions /run/systemd/users
  "$start" bus dbus-daemon --session --nofork --nosyslog --address="$DBUS_SESSION_BUS_ADDRESS"
  "$wait" "the session bus" test -S "$XDG_RUNTIME_DIR/bus" || return 1
  "$start" pipewire pipewire
  "$wait" PipeWire pw-cli info 0 || return 1
  "$start" wireplumber wireplumber
  for extra in "$@"; do "$start" "$extra" "$extra"; done
  # WirePlumber publishes the "default" metadata once it manages the graph.
  "$wait" WirePlumber sh -c 'pw-cli ls Metadata | grep -q "metadata.name = \"default\""'
}
