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
#   build-package  the Debian source package, unpacked and built there by
#                scripts/package
#   build-deb    this commit's packages on this release, built once by
#                scripts/packageOnce for every check that takes the package
#                (or where ZELQUOR_PACKAGE_DIR says)
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
