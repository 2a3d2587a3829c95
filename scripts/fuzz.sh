#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers into build-fuzz/, writes their seed
# corpora, and runs each target for SECONDS (default 60), one at a time,
# on its corpus and its committed regressions. Prints per target the
# executions, the coverage and any crash with its reproducer.
#
#   scripts/fuzz.sh [SECONDS]
#   MORVIND_FUZZ_TARGETS="remarks layout_file" scripts/fuzz.sh 30
#   MORVIND_FUZZ_RUNS=2000000 scripts/fuzz.sh 3600    # stop at a count
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${MORVIND_FUZZ_BUILD_DIR:-$root/build-fuzz}
targets=${MORVIND_FUZZ_TARGETS:-publisher_table group_block extended_info remarks layout_file settings_file data_folder pdf_gate}

# clang with libFuzzer and the sanitizer runtimes (clang 14 on Debian 12:
# clang and libclang-rt-14-dev); cmake and make from build-essential.
packages=(clang libclang-rt-14-dev build-essential cmake)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "fuzz: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -DMORVIND_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
build_targets=(morvind-fuzz-seeds)
for t in $targets; do build_targets+=("fuzz_$t"); done
cmake --build "$build" -j"$(nproc)" --target "${build_targets[@]}"

# The inputs are written to files many thousand times a second: a memory
# file system where there is one.
scratch_root=/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch_root=/dev/shm; fi
scratch=$(mktemp -d "$scratch_root/morvind-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

corpus=$build/corpus
"$build/tests/fuzz/morvind-fuzz-seeds" "$corpus"

# Big seeds (the 909-publisher set) are cut to this length while
# fuzzing: short inputs keep the executions many (the replay test runs
# the seeds whole).
max_len() {
  case $1 in
    data_folder | publisher_table) echo 8192 ;;
    # The test form is about 24 KB.
    pdf_gate) echo 32768 ;;
    *) echo 4096 ;;
  esac
}

summary=()
status=0
for t in $targets; do
  regressions=$root/tests/fuzz/regressions/$t
  artifacts=$build/crashes/$t
  mkdir -p "$corpus/$t" "$regressions" "$artifacts"
  log=$build/fuzz-$t.log
  echo "fuzz: $t for ${seconds}s"
  runs=()
  if [ -n "${MORVIND_FUZZ_RUNS:-}" ]; then runs=(-runs="$MORVIND_FUZZ_RUNS"); fi
  set +e
  # A small quarantine lets freed memory be reused while it is still hot.
  TMPDIR=$scratch ASAN_OPTIONS=quarantine_size_mb=16 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/fuzz/fuzz_$t" -max_total_time="$seconds" "${runs[@]}" -max_len="$(max_len "$t")" \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus/$t" "$regressions" >"$log" 2>&1
  rc=$?
  set -e
  # libFuzzer's final statistics and its last status line.
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$( (grep -Eo 'cov: [0-9]+' "$log" || true) | tail -1 | cut -d' ' -f2)
  ft=$( (grep -Eo 'ft: [0-9]+' "$log" || true) | tail -1 | cut -d' ' -f2)
  took=$( (grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" || true) | tail -1 | awk '{print $5}')
  line="$t: ${execs:-?} executions in ${took:-$seconds}s, cov ${cov:-?}, ft ${ft:-?}"
  if [ $rc -ne 0 ]; then
    status=1
    crash=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    reason=$( (grep -E 'ERROR: (AddressSanitizer|libFuzzer)|runtime error|property broken' "$log" || true) | head -1)
    line="$line; CRASH: ${reason:-exit $rc}; reproducer: ${crash:-see $log}"
  fi
  echo "$line"
  summary+=("$line")
done

echo
echo "fuzz summary (logs in $build/fuzz-<target>.log):"
for line in "${summary[@]}"; do echo "  $line"; done
if [ $status -ne 0 ]; then
  echo "Copy a reproducer into tests/fuzz/regressions/<target>/ once it is mended,"
  echo "and replay it with: $build/fuzz/fuzz_<target> FILE"
fi
exit $status
