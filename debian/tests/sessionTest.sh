# shellcheck shell=bash disable=SC2154  # testName is the sourcing test's
# Sourced by the autopkgtests: builds the session test from the source tree
# the test runs in, and runs it against the installed command under
# xvfb-run. A server or display that does not come up fails the test.

say() { echo "autopkgtest $testName: $*" >&2; }
fail() { say "FAILED: $*"; exit 1; }

scratch="${AUTOPKGTEST_TMP:-$(mktemp -d)}"
logs="$scratch/logs"
mkdir -p "$logs"
serverPids=()
stopServers() {
  local pid
  for pid in "${serverPids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${serverPids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stopServers EXIT

# startServer NAME COMMAND...: a server in the background, its output in a log.
startServer() {
  local name="$1"
  shift
  "$@" >"$logs/$name" 2>&1 &
  serverPids+=($!)
}

# waitFor WHAT COMMAND...: polls the command for up to 30 s.
waitFor() {
  local what="$1" tenth
  shift
  for ((tenth = 0; tenth < 300; ++tenth)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  tail -n 20 "$logs"/* >&2 || true
  fail "$what did not come up"
}

# The test program alone, from this source tree: the tree's own build with
# its tests, of which one target is built. The tests of one run share the
# build, which is only a cache: kept in the temporary folder, under a name
# of this copy of the tree.
sessionBuild="${TMPDIR:-/tmp}/zelquorSessionTest.$(pwd | md5sum | cut -c1-12)"
buildSessionTest() {
  say "building the session test in $sessionBuild"
  cmake -S . -B "$sessionBuild" -DCMAKE_BUILD_TYPE=Release -DZELQUOR_TESTS=ON -DZELQUOR_BENCH=OFF \
    >"$logs/build" 2>&1 &&
    cmake --build "$sessionBuild" -j "$(nproc)" --target desktopSessionTest >>"$logs/build" 2>&1 ||
    { tail -n 40 "$logs/build" >&2; fail "the session test does not build"; }
}

# runSessionTest [WRAPPER...]: the test under xvfb-run, from the home folder
# as a desktop entry starts the program; 0 only when it ran and passed.
runSessionTest() {
  local status=0
  (cd "${HOME:-/}" && xvfb-run -a -e "$logs/xvfb" -s '-screen 0 1280x1024x24' \
    "$@" "$sessionBuild/tests/desktop/desktopSessionTest") >"$logs/test" 2>&1 || status=$?
  cat "$logs/test"
  grep -q 'Xvfb failed to start\|cannot open display' "$logs/xvfb" "$logs/test" && fail "no X display: $(cat "$logs/xvfb")"
  grep -q '^\[  PASSED  \] 1 test' "$logs/test" && ((status == 0)) || fail "the session test failed (status $status)"
  say "passed"
}
