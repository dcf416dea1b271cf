# Sourced (POSIX sh) by the installed command and by scripts/run: which
# audio server the program runs on.
#
# 1. A JACK server that answers is used as it is: jackd, or PipeWire's JACK
#    layer when it is the system's JACK library.
# 2. Otherwise, when the PipeWire daemon answers, the program runs on
#    PipeWire's JACK layer (pw-jack), and the JACK library may not start a
#    server of its own: that would take the sound card from PipeWire.
# 3. Otherwise the program runs without sound. The JACK library starts a
#    server of its own only for a user who configured one (~/.jackdrc or
#    /etc/jackdrc), as before; else it is not allowed to try, since its
#    default server takes the first sound card.
#
# Every probe has a time limit of zelquorProbeSeconds; the whole choice costs
# at most three of them (the JACK probe, pw-cli, the JACK probe through
# pw-jack) when a server hangs, and a few milliseconds when none runs.
#
# Before calling zelquorChooseServer, set zelquorProbe to the server probe
# program. After it:
#   zelquorServer   jack, pipewire or none
#   zelquorWrapper  the command that starts the program ("" or pw-jack)
#   zelquorProblem  why there will be no sound, for the user; empty when a
#                   server answers or JACK's own start-up is configured
# and JACK_NO_START_SERVER is exported when the JACK library must not start
# a server.

# shellcheck shell=sh
# shellcheck disable=SC2034,SC2154  # its variables are the sourcing script's
zelquorProbeSeconds=2

# zelquorBounded COMMAND...: runs it with the time limit, its output dropped.
zelquorBounded() {
  timeout -k 1 "$zelquorProbeSeconds" "$@" >/dev/null 2>&1
}

zelquorJackAnswers() {
  JACK_NO_START_SERVER=1 zelquorBounded "$zelquorProbe"
}

# pw-cli comes with the daemon and answers at once when none runs; without
# it, the daemon's socket tells.
zelquorPipewireAnswers() {
  if command -v pw-cli >/dev/null 2>&1; then
    zelquorBounded pw-cli info 0
  else
    [ -S "${PIPEWIRE_RUNTIME_DIR:-${XDG_RUNTIME_DIR:-/nonexistent}}/${PIPEWIRE_REMOTE:-pipewire-0}" ]
  fi
}

# zelquorJackConfigured: the user set up JACK's own server start-up.
zelquorJackConfigured() {
  [ -f "${HOME:-/nonexistent}/.jackdrc" ] || [ -f /etc/jackdrc ]
}

zelquorChooseServer() {
  zelquorServer=none
  zelquorWrapper=""
  zelquorProblem=""
  if zelquorJackAnswers; then
    zelquorServer=jack
    return 0
  fi
  if zelquorPipewireAnswers; then
    export JACK_NO_START_SERVER=1
    if ! command -v pw-jack >/dev/null 2>&1; then
      zelquorProblem="PipeWire runs but its JACK layer is missing (the command pw-jack): install the package pipewire-jack. Zelquor runs without sound."
    elif ! JACK_NO_START_SERVER=1 zelquorBounded pw-jack "$zelquorProbe"; then
      zelquorProblem="PipeWire runs but its JACK layer (pw-jack, from the package pipewire-jack) cannot reach it: reinstall pipewire-jack. Zelquor runs without sound."
    else
      zelquorServer=pipewire
      zelquorWrapper=pw-jack
    fi
    return 0
  fi
  zelquorJackConfigured && return 0
  export JACK_NO_START_SERVER=1
  zelquorProblem="no audio server answers (neither PipeWire nor a JACK server): start one, or install pipewire-jack on a PipeWire desktop. Zelquor runs without sound."
}

# zelquorTell TEXT: tells the user, on standard error, and with a desktop
# notification when standard error is not a terminal (started from a menu,
# nobody reads it). notify-send (package libnotify-bin) runs in the
# background with the time limit, so the start never waits for it.
zelquorTell() {
  echo "zelquor: $1" >&2
  [ -t 2 ] && return 0
  command -v notify-send >/dev/null 2>&1 || return 0
  timeout -k 1 "$zelquorProbeSeconds" notify-send --app-name=Zelquor --icon=zelquor "Zelquor: no sound" "$1" \
    >/dev/null 2>&1 </dev/null &
}
