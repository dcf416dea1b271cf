# shellcheck shell=bash
# Sourced by the project's scripts: the Debian releases Zelquor builds, tests
# and packages on, and the one table of what differs between them. Anything
# else that differs (SFML 2 or 3, the engine's architecture files) is found
# by the build itself.
#
# Columns:
#   release    the name the scripts use, and scripts/inRelease's argument
#   suite      Debian's suite, as debootstrap and apt name it
#   versionId  VERSION_ID of /etc/os-release ("-": testing and unstable have none)
#   revision   the suffix of the package's Debian revision, so that apt
#              never takes one release's package for another's
#   jackTools  the package with jack_wait, jack_lsp, jack_connect and the
#              other JACK command-line clients
#   sessionManager  the package of a session manager that speaks NSM and
#              can be driven from the shell (ray_control), which the session
#              tests run; "-" where the release has none
releaseTable='
bookworm  bookworm  12  ~deb12u1  jackd2              -
trixie    trixie    13  ~deb13u1  jack-example-tools  raysession
testing   testing   -   ~deb14u1  jack-example-tools  raysession
'
releaseColumns=(release suite versionId revision jackTools sessionManager)

# The CMake release the build needs, as the top CMakeLists.txt states it.
cmakeNeeded="$(sed -n 's/^cmake_minimum_required(VERSION \([0-9.]*\)).*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../CMakeLists.txt")"

# What a system the table does not know needs, for the message that says so.
# shellcheck disable=SC2034  # read by the scripts that source this file
releaseNeeds="a C++17 compiler, CMake $cmakeNeeded or later, SFML 2.5 to 3.x, Faust 2.54 or later with its
architecture files, the JACK 2 library and server with their command-line clients, libsndfile,
libpng, zlib, Xlib and xprop; for the tests also GoogleTest, Xvfb, xdotool, ImageMagick,
Python 3 with PIL, Markdown and Selenium, chromium with its driver, npm, clang with its
sanitizer runtime, valgrind, PipeWire with its JACK layer,
WirePlumber and dbus-daemon"

# releaseField RELEASE COLUMN: prints that cell; fails for an unknown release.
releaseField() {
  local index=-1 i
  for i in "${!releaseColumns[@]}"; do [[ "${releaseColumns[$i]}" != "$2" ]] || index=$i; done
  ((index >= 0)) || return 1
  local cells
  while read -r -a cells; do
    if ((${#cells[@]} > 0)) && [[ "${cells[0]}" == "$1" ]]; then
      echo "${cells[$index]}"
      return 0
    fi
  done <<<"$releaseTable"
  return 1
}

# knownReleases: the releases of the table, one a line.
knownReleases() { awk 'NF { print $1 }' <<<"$releaseTable"; }

# thisRelease: prints the table's name of the Debian
# release this system runs; fails, printing a description of the system,
# when the table does not know it.
thisRelease() {
  local file=/etc/os-release ID="" VERSION_ID="" PRETTY_NAME="an unknown system" cells
  # shellcheck disable=SC1090
  [[ -r "$file" ]] && source "$file"
  if [[ "$ID" == debian ]]; then
    while read -r -a cells; do
      if ((${#cells[@]} > 0)) && [[ "${cells[2]}" == "${VERSION_ID:--}" ]]; then
        echo "${cells[0]}"
        return 0
      fi
    done <<<"$releaseTable"
  fi
  echo "$PRETTY_NAME"
  return 1
}

# The outside commands that the scripts and the tests run, and the package
# that brings each ("jackTools": the release's JACK tools package). The
# harness's messages about a missing command come from here too.
commandTable='
jackd                  jackd2
jack_wait              jackTools
jack_lsp               jackTools
jack_connect           jackTools
jack_property          jackTools
Xvfb                   xvfb
xdotool                xdotool
xprop                  x11-utils
import                 imagemagick
python3                python3-pil
pipewire               pipewire
pw-cli                 pipewire-bin
pw-metadata            pipewire-bin
pw-dump                pipewire-bin
pw-jack                pipewire-jack
wireplumber            wireplumber
dbus-daemon            dbus-daemon
ray_control            raysession
zita-j2n               zita-njbridge
zita-n2j               zita-njbridge
valgrind               valgrind
dpkg-deb               dpkg
dpkg-shlibdeps         dpkg-dev
lintian                lintian
appstreamcli           appstream
desktop-file-validate  desktop-file-utils
debootstrap            debootstrap
shellcheck             shellcheck
'

# commandPackage NAME: the package that brings that command here.
commandPackage() {
  local cells release
  while read -r -a cells; do
    ((${#cells[@]} > 0)) && [[ "${cells[0]}" == "$1" ]] || continue
    if [[ "${cells[1]}" != jackTools ]]; then
      echo "${cells[1]}"
    elif release="$(thisRelease)"; then
      releaseField "$release" jackTools
    else
      echo "jack-example-tools (jackd2 up to Debian 12)"
    fi
    return 0
  done <<<"$commandTable"
  return 1
}

# commandPackages: every command of the table with its package here, one
# pair a line.
commandPackages() {
  local name
  for name in $(awk 'NF { print $1 }' <<<"$commandTable"); do echo "$name $(commandPackage "$name")"; done
}

# requireCommands NAME...: says which are missing, each with its package,
# and fails if any is.
requireCommands() {
  local name missing=0
  for name in "$@"; do
    command -v "$name" >/dev/null && continue
    echo "the command $name is missing: it comes with the Debian package $(commandPackage "$name" || echo "that provides it")" >&2
    missing=1
  done
  return "$missing"
}
