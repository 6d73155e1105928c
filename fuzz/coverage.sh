#!/usr/bin/env bash
# Source coverage of the show's code reached by a fuzz corpus: builds the
# target with clang's source-based coverage (no sanitizers, so it stays
# quick), runs every input of the corpora once, and prints llvm-cov's report
# for the code under test.
# Usage: fuzz/coverage.sh pcx|scene CORPUS_FOLDER...
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target=${1:?usage: fuzz/coverage.sh pcx|scene CORPUS_FOLDER...}
shift
[ $# -gt 0 ] || { echo "usage: fuzz/coverage.sh pcx|scene CORPUS_FOLDER..." >&2; exit 2; }
out="$root/build/sanitizers/coverage"
mkdir -p "$out"

common=("$root/fuzz/fuzz_inputs.cpp" "$root"/tests/support/{show_files,test_pictures}.cpp "$root/tools/pcx/pcx_writer.cpp")
case $target in
  pcx)
    sources=("$root/fuzz/fuzz_pcx_loader.cpp" "$root"/src/image/*.cpp)
    measured=("$root"/src/image/*.cpp) ;;
  scene)
    sources=("$root/fuzz/fuzz_scene.cpp" "$root"/src/{image,fx,particles,terrain,scene}/*.cpp
             "$root"/src/app/{demo_clock,stepped_ticks}.cpp "$root/tests/support/show_rig.cpp")
    measured=("$root"/src/{image,fx,particles,terrain,scene}/*.cpp "$root/src/app/demo_clock.cpp") ;;
  *) echo "unknown target $target: pcx or scene" >&2; exit 2 ;;
esac

clang++ -std=c++17 -O1 -ffp-contract=off -fsanitize=fuzzer -fprofile-instr-generate -fcoverage-mapping \
  -I"$root/src" -I"$root/tests" -I"$root/tools/pcx" -I"$root/fuzz" \
  "${sources[@]}" "${common[@]}" -o "$out/$target"
rm -f "$out/$target.profraw"
LLVM_PROFILE_FILE="$out/$target.profraw" "$out/$target" -runs=0 "$@" 2>&1 | grep -E '^#[0-9]+[[:space:]]+INITED' || true
llvm-profdata-14 merge -sparse "$out/$target.profraw" -o "$out/$target.profdata"
llvm-cov-14 report "$out/$target" -instr-profile="$out/$target.profdata" "${measured[@]}"
