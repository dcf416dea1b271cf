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
releaseTable='
bookworm  bookworm  12  ~deb12u1  jackd2
trixie    trixie    13  ~deb13u1  jack-example-tools
testing   testing   -   ~deb14u1  jack-example-tools
'
releaseColumns=(release suite versionId revision jackTools)

# What a system the table does not know needs, for the message that says so.
releaseNeeds='a C++17 compiler, CMake 3.18 or later, SFML 2.5 to 3.x, Faust 2.54 or later with its
architecture files, the JACK 2 library and server with their command-line clients, libsndfile,
libpng, zlib, Xlib and xprop; for the tests also GoogleTest, Xvfb, xdotool, ImageMagick,
Python 3 with PIL, clang with its sanitizer runtime, valgrind, PipeWire with its JACK layer,
WirePlumber and dbus-daemon'

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

# thisRelease [OS_RELEASE_FILE]: prints the table's name of the Debian
# release this system runs; fails, printing a description of the system,
# when the table does not know it.
thisRelease() {
  local file="${1:-/etc/os-release}" ID="" VERSION_ID="" PRETTY_NAME="an unknown system" cells
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
