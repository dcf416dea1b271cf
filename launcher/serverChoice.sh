# Sourced (POSIX sh) by the installed command and by scripts/run: which
# audio server the program runs on.
#
# 1. A JACK server (jackd) that answers is used as it is.
# 2. Otherwise, when the PipeWire daemon answers, the program runs on
#    PipeWire's JACK layer (pw-jack), and the JACK library may not start a
#    server of its own: that would take the sound card from PipeWire. When
#    pw-jack is missing or fails, a JACK library that reaches a server all
#    the same (PipeWire's JACK layer as the system's JACK library) is used
#    as it is.
# 3. Otherwise the program runs without sound. The JACK library starts a
#    server of its own only for a user who configured one (~/.jackdrc or
#    /etc/jackdrc), as before; else it is not allowed to try, since its
#    default server takes the first sound card.
#
# The server probe (launcher/serverProbe.cpp) knocks on the servers' sockets,
# which costs about what starting a process costs, and asks pw-jack whether
# it gives programs PipeWire's JACK layer only when the PipeWire daemon
# answers. It keeps a time limit (zelquorProbeSeconds) on each question, so
# the whole choice costs at most two of them when a server hangs. A JACK client
# is opened only when PipeWire answers without a usable pw-jack: PipeWire's
# JACK layer may then be the system's JACK library.
#
# Before calling zelquorChooseServer, set zelquorProbe to the server probe
# program. After it:
#   zelquorServer   jack, pipewire or none
#   zelquorWrapper  the command that starts the program ("" or pw-jack)
#   zelquorProblem  why there will be no sound, for the user; empty when a
#                   server answers or JACK's own start-up is configured
#   zelquorPipewireJack  missing when the PipeWire daemon answers but the
#                   command pw-jack is not installed, else empty
# and JACK_NO_START_SERVER is exported when the JACK library must not start
# a server.

# shellcheck shell=sh
# shellcheck disable=SC2034,SC2154  # its variables are the sourcing script's
# The probe's time limit and its answers (its exit statuses) are owned here:
# the build gives them to launcher/serverProbe.cpp.
zelquorProbeSeconds=2
zelquorJackAnswered=0
zelquorNoneAnswers=1
zelquorLayerWorks=2
zelquorLayerMissing=3
zelquorLayerBroken=4

zelquorJackAnswers() {
  JACK_NO_START_SERVER=1 "$zelquorProbe" --client >/dev/null 2>&1
}

# zelquorJackConfigured: the user set up JACK's own server start-up.
zelquorJackConfigured() {
  [ -f "${HOME:-/nonexistent}/.jackdrc" ] || [ -f /etc/jackdrc ]
}

zelquorChooseServer() {
  zelquorServer=none
  zelquorWrapper=""
  zelquorProblem=""
  zelquorPipewireJack=""
  zelquorAnswer=0
  "$zelquorProbe" >/dev/null 2>&1 || zelquorAnswer=$?
  case $zelquorAnswer in
    "$zelquorJackAnswered")
      zelquorServer=jack
      return 0
      ;;
    "$zelquorLayerWorks")
      export JACK_NO_START_SERVER=1
      zelquorServer=pipewire
      zelquorWrapper=pw-jack
      return 0
      ;;
    "$zelquorLayerMissing" | "$zelquorLayerBroken")
      if zelquorJackAnswers; then
        zelquorServer=jack
        return 0
      fi
      export JACK_NO_START_SERVER=1
      if [ "$zelquorAnswer" = "$zelquorLayerMissing" ]; then
        zelquorPipewireJack=missing
        zelquorProblem="PipeWire runs but its JACK layer is missing (the command pw-jack): install the package pipewire-jack. Zelquor runs without sound."
      else
        zelquorProblem="PipeWire runs but its JACK layer (pw-jack, from the package pipewire-jack) cannot reach it: reinstall pipewire-jack. Zelquor runs without sound."
      fi
      return 0
      ;;
  esac
  zelquorJackConfigured && return 0
  export JACK_NO_START_SERVER=1
  zelquorProblem="no audio server answers (neither PipeWire nor a JACK server): start one, or install pipewire-jack on a PipeWire desktop. Zelquor runs without sound."
}

# zelquorTell TEXT: tells the user, on standard error, and with a desktop
# notification when standard error is not a terminal (started from a menu,
# nobody reads it).
zelquorTell() {
  echo "zelquor: $1" >&2
  [ -t 2 ] || zelquorNotify "Zelquor: no sound" "$1"
}

# zelquorNotify TITLE TEXT: a desktop notification. notify-send (package
# libnotify-bin) runs in the background with the time limit, so nobody
# waits for it.
zelquorNotify() {
  command -v notify-send >/dev/null 2>&1 || return 0
  timeout -k 1 "$zelquorProbeSeconds" notify-send --app-name=Zelquor --icon=zelquor "$1" "$2" \
    >/dev/null 2>&1 </dev/null &
}
