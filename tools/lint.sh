#!/usr/bin/env bash
# make lint: clang-format (.clang-format) on every C++ file, clang-tidy (checks in .clang-tidy,
# explained exceptions in tools/lint-exceptions.txt) and cppcheck (explained suppressions in
# tools/cppcheck-suppressions.txt) on the core and the batch program. Any other warning fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${LINT_BUILD:-$ROOT/build-lint}
JOBS=${JOBS:-2}

for tool in clang-format clang-tidy cppcheck cmake; do
  command -v "$tool" >/dev/null || { echo "lint: $tool is missing (make deps installs it)" >&2; exit 1; }
done

# The compile commands of the core and the batch program; nothing needs building.
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORDALIS_GUI=OFF \
  -DORDALIS_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

mapfile -t sources < <(find src/core src/cli -name '*.cpp' | sort)
status=0

echo "== clang-format"
mapfile -t formatted < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) | sort)
if ! clang-format --dry-run -Werror "${formatted[@]}" 2>"$BUILD/clang-format.log"; then
  grep -E '^[^ ]+:[0-9]+:[0-9]+: ' "$BUILD/clang-format.log" | cut -d: -f1 | sort -u >&2
  echo "lint: clang-format: the files above differ from .clang-format (clang-format -i fixes them)" >&2
  status=1
fi

echo "== clang-tidy on ${#sources[@]} files"
tidy_log=$BUILD/clang-tidy.log
printf '%s\n' "${sources[@]}" |
  xargs -P "$JOBS" -n 4 clang-tidy -p "$BUILD" --quiet >"$tidy_log" 2>&1 || true
# clang-tidy exits 0 on warnings: the diagnostics decide, less those tools/lint-exceptions.txt
# explains (same file, same check).
diagnostics=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' "$tidy_log" | sort -u |
  awk -v root="$ROOT/" '
    NR == FNR { if ($0 !~ /^#/ && $0 ~ /\|/) { split($0, e, "|"); skip[e[1] "|" e[2]] = 1 } next }
    {
      file = $0; sub(/:.*/, "", file); sub("^" root, "", file)
      check = $0; sub(/.*\[/, "", check); sub(/\]$/, "", check)
      if (!((file "|" check) in skip)) print
    }' tools/lint-exceptions.txt - || true)
if [ -n "$diagnostics" ]; then
  echo "$diagnostics" >&2
  echo "lint: clang-tidy: $(echo "$diagnostics" | wc -l) diagnostics (full text in $tidy_log)" >&2
  status=1
fi

echo "== cppcheck"
if ! cppcheck --quiet --std=c++20 --language=c++ -I src -j "$JOBS" \
    --enable=warning,style,performance,portability --inline-suppr \
    --suppressions-list=tools/cppcheck-suppressions.txt --error-exitcode=1 \
    --template='{file}:{line}: {severity}: {message} [{id}]' \
    src/core src/cli; then
  echo "lint: cppcheck reported the problems above" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "lint: clean"
exit "$status"
