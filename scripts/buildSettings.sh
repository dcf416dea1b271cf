# shellcheck shell=bash
# Sourced by the project's scripts: where the project is, where each build
# goes and how many jobs build it, so that every script agrees.
#
# Build folders, all under ZELQUOR_BUILD_ROOT (default: the project root).
# Each CMake build folder is configured by one function below, with one set
# of options, and only the scripts named here build in it:
#   build        configureProgramBuild: Release, the program alone (no
#                tests, no benchmarks): scripts/run, scripts/demo, and what
#                cmake --install installs
#   build-tests  configureTestBuild: Release with the tests and benchmarks,
#                warnings as errors: scripts/test's suite,
#                scripts/valgrindSession, tests/desktop/packageForDesktop
#   build-asan   configureAsanBuild: the address and undefined-behaviour
#                sanitizers: scripts/test, scripts/soak
#   build-tsan   configureTsanBuild: the thread sanitizer: scripts/test
#   build-fuzz   configureFuzzBuild: clang with libFuzzer: scripts/fuzz
#   build-bench  configureBenchBuild: Release, the benchmarks without the
#                tests, so that measuring never rebuilds what the tests use:
#                scripts/bench
#   build-package  the Debian source package, unpacked and built there by
#                scripts/package (dh configures it, from debian/rules)
#   build-deb    this commit's packages on this release, built once by
#                scripts/packageOnce for every check that takes the package
#                (or where ZELQUOR_PACKAGE_DIR says)
#   build-older-deb  the previous commit's package, which an upgrade starts
#                from: tests/installedPackage/olderPackage, for
#                tests/installedPackage/installedChecks
#   build-roots  minimal roots of other Debian releases, one folder each,
#                made and used by scripts/inRelease
#   build-desktopFiles  the package and the session test that
#                tests/desktop/inDesktopRoots takes into a desktop root
# ZELQUOR_JOBS sets the build's parallelism (default: every processor).

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/releases.sh"
buildRoot="${ZELQUOR_BUILD_ROOT:-$root}"
buildJobs="${ZELQUOR_JOBS:-$(nproc)}"

buildFolder() { echo "$buildRoot/$1"; }

# configureBuild FOLDER CMAKE_OPTION...: configures FOLDER with those options
# (CMake checks a configured folder again in a few seconds).
configureBuild() {
  local folder="$1"
  shift
  cmake -S "$root" -B "$folder" "$@" </dev/null >&2
}

# configureNewBuild FOLDER CMAKE_OPTION...: the same, unless FOLDER is
# configured already; CMake configures it again by itself when a
# CMakeLists.txt changes.
configureNewBuild() {
  [[ ! -f "$1/CMakeCache.txt" ]] || return 0
  echo "configuring $1" >&2
  configureBuild "$@"
}

# Only when new: scripts/run starts without a configure step, and a build
# folder given to it through ZELQUOR_BUILD_ROOT (a test's own) is used as
# it is.
configureProgramBuild() {
  configureNewBuild "$(buildFolder build)" -DCMAKE_BUILD_TYPE=Release -DZELQUOR_TESTS=OFF -DZELQUOR_BENCH=OFF
}

configureTestBuild() {
  configureBuild "$(buildFolder build-tests)" -DCMAKE_BUILD_TYPE=Release -DZELQUOR_TESTS=ON -DZELQUOR_BENCH=ON \
    -DZELQUOR_WERROR=ON
}

configureAsanBuild() {
  configureBuild "$(buildFolder build-asan)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELQUOR_SANITIZE=ON -DZELQUOR_BENCH=OFF
}

configureTsanBuild() {
  configureBuild "$(buildFolder build-tsan)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELQUOR_TSAN=ON -DZELQUOR_BENCH=OFF
}

# Only when new: the compiler given again would make CMake drop the cache
# and build everything anew.
configureFuzzBuild() {
  configureNewBuild "$(buildFolder build-fuzz)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZELQUOR_FUZZ=ON -DZELQUOR_BENCH=OFF
}

configureBenchBuild() {
  configureBuild "$(buildFolder build-bench)" -DCMAKE_BUILD_TYPE=Release -DZELQUOR_TESTS=OFF -DZELQUOR_BENCH=ON
}

# buildTargets FOLDER [TARGET...]: builds those targets (all without any).
buildTargets() {
  local folder="$1"
  shift
  local targets=()
  (($# == 0)) || targets=(--target "$@")
  cmake --build "$folder" -j "$buildJobs" "${targets[@]}" </dev/null >&2
}

# treeFiles: the tree's files, NUL-separated, relative to the project root:
# those git tracks or would track, as they are in the work tree; where git
# does not know the folder, everything but the build folders.
treeFiles() {
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
      [[ ! -e "$root/$file" ]] || printf '%s\0' "$file"
    done
  else
    (cd "$root" && find . -path './build*' -prune -o -path './dist' -prune -o ! -type d ! -path ./.treeState -print0)
  fi
}

# treeState: prints the commit the tree is at, that commit's time (seconds
# since the epoch) and "changed" or "clean", on one line; nothing where the
# tree is not a git work tree. A copy of the tree that scripts/inRelease
# makes keeps its original's state in the file .treeState.
treeState() {
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    local changes
    changes="$(git -C "$root" status --porcelain --untracked-files=normal)"
    echo "$(git -C "$root" log -1 --format='%h %ct') $([[ -z "$changes" ]] && echo clean || echo changed)"
  elif [[ -f "$root/.treeState" ]]; then
    cat "$root/.treeState"
  fi
}

# copyTreeTo FOLDER: a copy of the tree in FOLDER, which exists: its files
# (treeFiles) and its state in .treeState, so that the copy builds as its
# original would.
copyTreeTo() {
  treeFiles | tar -C "$root" --null -T - -cf - | tar -C "$1" -xf -
  treeState >"$1/.treeState"
}

# Every JACK program of a user shares one metadata store in /dev/shm, and
# each JACK server removes it as it ends: a test's server ending while
# another program creates the store again can leave it cut short, and every
# JACK program of the user then dies of a bus error or hangs. The tests and
# the package's build therefore run with a /dev/shm of their own where they
# may (as root), out of reach of the user's servers and of each other.
# Only /dev/shm is made private, not "/", which in a chroot is no mount of
# its own; where it cannot be, nothing is mounted.
withOwnShm() {
  if ((EUID == 0)) && unshare --mount --propagation unchanged true 2>/dev/null; then
    unshare --mount --propagation unchanged bash -c '
      if mount --make-private /dev/shm 2>/dev/null; then mount -t tmpfs -o mode=1777 shm /dev/shm || exit; fi
      exec "$@"' - "$@"
  else
    "$@"
  fi
}
