#!/usr/bin/env bash
# make lint: clang-tidy (checks in .clang-tidy) and cppcheck (suppressions in
# tools/cppcheck-suppressions.txt) on the core and the batch program. Any warning fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${LINT_BUILD:-$ROOT/build-lint}
JOBS=${JOBS:-2}

for tool in clang-tidy cppcheck cmake; do
  command -v "$tool" >/dev/null || { echo "lint: $tool is missing (make deps installs it)" >&2; exit 1; }
done

# The compile commands of the core and the batch program; nothing needs building.
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORDALIS_GUI=OFF \
  -DORDALIS_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

mapfile -t sources < <(find src/core src/cli -name '*.cpp' | sort)
status=0

echo "== clang-tidy on ${#sources[@]} files"
tidy_log=$BUILD/clang-tidy.log
printf '%s\n' "${sources[@]}" |
  xargs -P "$JOBS" -n 4 clang-tidy -p "$BUILD" --quiet >"$tidy_log" 2>&1 || true
# clang-tidy exits 0 on warnings: the count of diagnostics decides.
if grep -Eq '(warning|error): ' "$tidy_log"; then
  grep -E -A3 '(warning|error): ' "$tidy_log" >&2
  echo "lint: clang-tidy: $(grep -Ec '(warning|error): ' "$tidy_log") diagnostics" >&2
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
