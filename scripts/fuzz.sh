#!/usr/bin/env bash
# Builds the libFuzzer targets of the platform-free logic with clang, ASan
# and UBSan (build/fuzz, apart from the unit tests' build/native) and runs
# each in turn for the given number of seconds (default 60), starting from
# its committed seeds (tests/fuzz/seeds/<unit>). What a run adds to the
# corpus stays in build/fuzz/corpus; an input that breaks a property or
# trips a sanitizer is kept in build/fuzz/findings and fails the script.
# Usage: fuzz.sh [seconds [unit...]] (every unit when none is named)
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
seconds=${1:-60}
build=$root/build/fuzz  # the fuzz preset's
units=(brush_math clipboard_queue dib_layout encoder_match hotkey_text key_groups png_header
  portal_request
  selection_geometry shortcut_paths temp_file_name)
if [ $# -gt 1 ]; then units=("${@:2}"); fi

build_preset fuzz

status=0
for unit in "${units[@]}"; do
  corpus=$build/corpus/$unit
  mkdir -p "$corpus" "$build/findings"
  echo "== $unit: ${seconds}s"
  # The first directory receives the new inputs; the seeds are only read.
  "$build/bin/${unit}_fuzz" "$corpus" "$root/tests/fuzz/seeds/$unit" \
      -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/findings/$unit-" 2>"$build/$unit.log" || {
    status=1
    tail -n 40 "$build/$unit.log"
  }
  # The last status line, then the final statistics.
  grep -E '^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE)' "$build/$unit.log" | tail -n 1 || true
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' \
      "$build/$unit.log" || true
  echo "corpus: $(find "$corpus" -type f | wc -l) files"
done
exit $status
