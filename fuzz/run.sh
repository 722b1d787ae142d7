#!/usr/bin/env bash
# Hardening run: builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs it, then builds the libFuzzer targets and runs each from its committed corpus for a
# bounded time. Any sanitizer report, failed test or fuzz finding fails the run.
#   fuzz/run.sh          both (what CI runs)
#   fuzz/run.sh tests    the sanitizer test suite only
#   fuzz/run.sh fuzz     the fuzz targets only
# Settings (environment):
#   QELMAP_ASAN_DIR      build folder of the sanitizer test suite   (build-asan)
#   QELMAP_FUZZ_DIR      build folder of the fuzz targets           (build-fuzz)
#   QELMAP_FUZZ_SECONDS  seconds per fuzz target                    (60)
#   QELMAP_FUZZ_PARALLEL fuzz targets run side by side              (number of cores, at most 2)
#   QELMAP_JOBS          compile jobs                               (number of cores, at most 2)
# Findings are kept as QELMAP_FUZZ_DIR/funde/<target>-crash-... with the target's log beside them;
# replay one with: QELMAP_FUZZ_DIR/<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
what="${1:-all}"
asan_dir="${QELMAP_ASAN_DIR:-build-asan}"
fuzz_dir="$(realpath -m "${QELMAP_FUZZ_DIR:-build-fuzz}")"
seconds="${QELMAP_FUZZ_SECONDS:-60}"
cores="$(nproc)"
[ "$cores" -gt 2 ] && cores=2
jobs="${QELMAP_JOBS:-$cores}"
parallel="${QELMAP_FUZZ_PARALLEL:-$cores}"
start=$SECONDS

packages=(clang-14 libclang-rt-14-dev cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev)
"$PWD/tools/apt-install.sh" "${packages[@]}"

# clang: its UndefinedBehaviorSanitizer also checks float-to-integer conversions, which
# coordinates read from files can reach. Light optimisation and line tables keep the build short
# and the reports readable.
clang_flags=(-G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug
             "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only")
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/fuzz/lsan-system.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen

sanitizer_tests() {
  echo "== sanitizer test suite ($asan_dir)"
  cmake -S . -B "$asan_dir" "${clang_flags[@]}" -DQELMAP_SANITIZE=ON >/dev/null
  cmake --build "$asan_dir" -j"$jobs"
  (cd "$asan_dir" && ctest --output-on-failure -j"$jobs")
  echo "== sanitizer test suite passed ($((SECONDS - start)) s so far)"
}

fuzz_targets() {
  echo "== fuzz targets ($fuzz_dir, ${seconds} s each, $parallel at a time)"
  cmake -S fuzz -B "$fuzz_dir" "${clang_flags[@]}" >/dev/null
  cmake --build "$fuzz_dir" -j"$jobs"
  mkdir -p "$fuzz_dir/funde"
  mapfile -t targets <"$fuzz_dir/fuzz-targets.txt"
  local pids=() names=() failed=0
  run_one() {
    local t="$1" work="$fuzz_dir/corpus-work/$1"
    rm -rf "$work"
    mkdir -p "$work"
    # New inputs go to the scratch corpus; the committed one is only read.
    "$fuzz_dir/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$fuzz_dir/funde/$t-" "$work" "$root/fuzz/corpus/${t#fuzz_}" >"$fuzz_dir/funde/$t.log" 2>&1
  }
  for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
    run_one "$t" &
    pids+=($!)
    names+=("$t")
  done
  printf '%-22s %12s %8s  %s\n' target executions seconds result
  for i in "${!pids[@]}"; do
    local t="${names[$i]}" log="$fuzz_dir/funde/${names[$i]}.log" result=ok
    if ! wait "${pids[$i]}"; then result="FINDING (see $log)"; failed=1; fi
    local runs secs
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    secs="$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)"
    printf '%-22s %12s %8s  %s\n' "$t" "${runs:-?}" "${secs:-?}" "$result"
    if [ "$result" != ok ]; then
      grep -E "ERROR|runtime error|expectation failed|SUMMARY|Test unit written|No such file" "$log" | head -20 || true
    fi
  done
  [ "$failed" -eq 0 ] || { echo "== fuzzing found faults"; return 1; }
  echo "== fuzz targets passed ($((SECONDS - start)) s so far)"
}

case "$what" in
  all) sanitizer_tests; fuzz_targets ;;
  tests) sanitizer_tests ;;
  fuzz) fuzz_targets ;;
  *) echo "usage: $0 [all|tests|fuzz]" >&2; exit 2 ;;
esac
echo "== hardening run done in $((SECONDS - start)) s"
