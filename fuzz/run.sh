#!/usr/bin/env bash
# make fuzz: builds the libFuzzer targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz and runs each for FUZZ_SECONDS (default 60) on a copy of its seed corpus, so the
# repository is never modified. Any crash, leak, timeout or sanitizer report fails the run;
# the input that caused it is left in build-fuzz/findings/<target>/.
#   FUZZ_SECONDS=600 FUZZ_TARGETS="fuzz_template" bash fuzz/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
TARGETS=${FUZZ_TARGETS:-"fuzz_file_road fuzz_definition_road fuzz_template fuzz_profile fuzz_lexicon"}
JOBS=${JOBS:-2}

for tool in clang++ cmake ninja; do
  command -v "$tool" >/dev/null || { echo "fuzz: $tool is missing (make deps installs it)" >&2; exit 1; }
done

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORDALIS_GUI=OFF -DORDALIS_TESTS=OFF -DORDALIS_FUZZ=ON \
  -DORDALIS_SANITIZE=ON >/dev/null
# shellcheck disable=SC2086
cmake --build "$BUILD" -j "$JOBS" --target $TARGETS

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

failed=""
for target in $TARGETS; do
  work=$BUILD/runs/$target
  findings=$BUILD/findings/$target
  rm -rf "$work"
  mkdir -p "$work/corpus" "$findings"
  # The seeds of the target, copied: libFuzzer adds what it finds to the working corpus.
  cp -R "$ROOT/fuzz/corpus/$target/." "$work/corpus/"
  dict=()
  [ -f "$ROOT/fuzz/$target.dict" ] && dict=(-dict="$ROOT/fuzz/$target.dict")
  echo "== $target: ${SECONDS_EACH}s on $(ls "$work/corpus" | wc -l) seeds"
  if ! "$BUILD/bin/$target" "$work/corpus" "${dict[@]}" -max_total_time="$SECONDS_EACH" \
      -timeout=10 -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix="$findings/" >"$work/log.txt" 2>&1; then
    failed="$failed $target"
    echo "!! $target found a fault; input in $findings/, log in $work/log.txt" >&2
    tail -n 40 "$work/log.txt" >&2
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$work/log.txt" | tail -n 2 || true
  fi
done

if [ -n "$failed" ]; then
  echo "fuzz: FAILED:$failed" >&2
  exit 1
fi
echo "fuzz: every target ran ${SECONDS_EACH}s without a finding"
