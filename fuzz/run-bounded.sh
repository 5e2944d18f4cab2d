#!/usr/bin/env bash
# Builds the fuzz targets with the "fuzz" preset (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one in turn for a bounded time, starting from its seed
# corpus and the corpus grown by earlier runs. Exits non-zero when any target finds something,
# naming the target and the input it wrote.
#
# Settings (environment):
#   VXR_FUZZ_SECONDS    seconds per target (default 30)
#   VXR_FUZZ_TARGETS    targets to run, separated by blanks (default: all)
#   VXR_FUZZ_BUILD_DIR  build folder (default build/fuzz, the preset's own)
#   VXR_FUZZ_JOBS       parallel build jobs (default 2)
#   VXR_FUZZ_SKIP_BUILD set to 1 to run what is already built
#   VXR_FUZZ_ARGS       more libFuzzer options for every target
#
# Under the build folder: fuzz/corpus/<name> seeds (written by the build), fuzz/grown/<name> the
# inputs the runs added, fuzz/artifacts/<name>/ crashing, hanging or leaking inputs,
# fuzz/logs/<name>.log each run's output.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${VXR_FUZZ_SECONDS:-30}
build=${VXR_FUZZ_BUILD_DIR:-build/fuzz}
jobs=${VXR_FUZZ_JOBS:-2}
all_targets="fuzz_anim_document fuzz_anim_checker fuzz_mesh_records fuzz_identify_file
  fuzz_mel_parser fuzz_import_args fuzz_mesh_export_args fuzz_scene_file fuzz_gltf_shot
  fuzz_scene_references"
targets=${VXR_FUZZ_TARGETS:-$all_targets}

if [ "${VXR_FUZZ_SKIP_BUILD:-0}" != 1 ]; then
  if [ "$build" = build/fuzz ]; then
    cmake --preset fuzz
  else
    cmake --preset fuzz -B "$build"
  fi
  cmake --build "$build" -j "$jobs"
fi

root="$(cd "$build" && pwd)"
# The mesh export fuzzer runs the command inside its own folder, so every path libFuzzer writes
# to is absolute.
fuzzdir="$root/fuzz"
seeddir="$(pwd)/fuzz/seeds"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

# The seed folder of a target, and the options it needs beyond the common ones.
seeds_of() {
  case "$1" in
    fuzz_anim_checker | fuzz_gltf_shot) echo anim_document ;;
    *) echo "${1#fuzz_}" ;;
  esac
}
options_of() {
  case "$1" in
    # The host hands identifyFile up to 32,767 bytes; longer inputs are cut to that.
    fuzz_identify_file) echo "-max_len=33000" ;;
    # The commands print a message for every refused argument list.
    fuzz_import_args | fuzz_mesh_export_args) echo "-close_fd_mask=3" ;;
    # Scene words, huge indices and special values.
    fuzz_scene_file) echo "-dict=$seeddir/scene_file.dict" ;;
    *) ;;
  esac
}

failed=()
printf '%-24s %8s %12s %8s %8s  %s\n' target seconds executions edges corpus result
for target in $targets; do
  binary="$root/bin/$target"
  name=${target#fuzz_}
  seeds="$fuzzdir/corpus/$(seeds_of "$target")"
  grown="$fuzzdir/grown/$name"
  artifacts="$fuzzdir/artifacts/$name"
  log="$fuzzdir/logs/$name.log"
  if [ ! -x "$binary" ]; then
    echo "$target: not built ($binary is missing)" >&2
    failed+=("$target (not built)")
    continue
  fi
  if [ ! -d "$seeds" ]; then
    echo "$target: no seed corpus at $seeds" >&2
    failed+=("$target (no seed corpus)")
    continue
  fi
  mkdir -p "$grown" "$artifacts" "$(dirname "$log")"
  set +e
  "$binary" "$grown" "$seeds" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 $(options_of "$target") \
    ${VXR_FUZZ_ARGS:-} >"$log" 2>&1
  status=$?
  set -e
  # A run that stopped early may have printed none of these.
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1 || true)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)
  corpus=$(find "$grown" -type f | wc -l || true)
  if [ "$status" -eq 0 ]; then
    result=ok
  else
    result="FAILED (exit $status)"
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1 || true)
    failed+=("$target: ${artifact:-no input written}, log $log")
  fi
  printf '%-24s %8s %12s %8s %8s  %s\n' "$target" "$seconds" "${executions:-?}" "${edges:-?}" \
    "$corpus" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo
  echo "Fuzzing found something:"
  for entry in "${failed[@]}"; do
    echo "  $entry"
  done
  echo "Replay an input with <build>/bin/<target> <input>; the log holds the report."
  for entry in "${failed[@]}"; do
    case "$entry" in
      *", log "*)
        echo
        echo "--- ${entry%%:*}: end of ${entry##*, log }"
        tail -n 40 "${entry##*, log }"
        ;;
    esac
  done
  exit 1
fi
echo "No findings."
