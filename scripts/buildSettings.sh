# Sourced by the project's scripts: where the project is, where each build
# goes and how many jobs build it, so that every script agrees.
#
# Build folders, all under ZELQUOR_BUILD_ROOT (default: the project root):
#   build        Release, with the tests and benchmarks: the program that
#                scripts/run starts, the test command's suite, the demo and
#                the valgrind session
#   build-asan   the address and undefined-behaviour sanitizers
#   build-tsan   the thread sanitizer
#   build-fuzz   clang with libFuzzer
#   build-bench  Release, for benchmarks only, so that measuring never
#                rebuilds what the tests use
#   build-package  Release with Debian's hardening flags, the program alone,
#                for the Debian package
#   build-roots  minimal roots of other Debian releases, one folder each,
#                made and used by scripts/inRelease
# ZELQUOR_JOBS sets the build's parallelism (default: every processor).

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/releases.sh"
buildRoot="${ZELQUOR_BUILD_ROOT:-$root}"
buildJobs="${ZELQUOR_JOBS:-$(nproc)}"

buildFolder() { echo "$buildRoot/$1"; }

# configureBuild FOLDER [CMAKE OPTION...]
configureBuild() {
  local folder="$1"
  shift
  cmake -S "$root" -B "$folder" "$@" </dev/null >&2
}

# configureProgramBuild FOLDER: a Release build of the program alone, unless
# FOLDER is configured already (then it keeps its tests and benchmarks).
configureProgramBuild() {
  [[ ! -f "$1/CMakeCache.txt" ]] || return 0
  echo "configuring a Release build in $1" >&2
  configureBuild "$1" -DCMAKE_BUILD_TYPE=Release -DZELQUOR_TESTS=OFF -DZELQUOR_BENCH=OFF
}

# buildTargets FOLDER [TARGET...]: builds those targets (all without any).
buildTargets() {
  local folder="$1"
  shift
  local targets=()
  (($# == 0)) || targets=(--target "$@")
  cmake --build "$folder" -j "$buildJobs" "${targets[@]}" </dev/null >&2
}
