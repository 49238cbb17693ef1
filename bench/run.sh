#!/usr/bin/env bash
# make bench: conversion speed and peak memory of ordalis-post on generated programs, beside
# `wc -l` and an awk one-liner run on the same input.
#   BENCH_N=1000000 (3-axis moves)  BENCH_N5=200000 (five-axis moves)  BENCH_BIG=1 (1 GB input)
#   BENCH_REPEAT=5 (runs per figure; the best time and the highest peak memory are printed)
set -euo pipefail
BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
POST=$ROOT/$BUILD/bin/ordalis-post
[ -x "$POST" ] || POST=$BUILD/bin/ordalis-post
OUT=$ROOT/$BUILD/bench
mkdir -p "$OUT"
N3=${BENCH_N:-1000000}
N5=${BENCH_N5:-200000}
DEFAULT_PPC=$(dirname "$POST")/Default.ppc
HEAD_PPC=$ROOT/data/ppc/head_ac_5axis.ppc
MACHINE_PPC=$ROOT/data/ppc/table_ac_machine_5axis.ppc
TIME=/usr/bin/time
[ -x $TIME ] || { echo "bench needs /usr/bin/time (package time: make deps)"; exit 1; }

gen() {  # gen FILE COUNT AXES [SMOOTH]
  [ -s "$1" ] && [ "$(head -c 14 "$1.count" 2>/dev/null)" = "$2/$3/${4:-0}" ] && return
  awk -v N="$2" -v AXES="$3" -v SMOOTH="${4:-0}" -f "$ROOT/bench/gen_apt.awk" > "$1"
  echo "$2/$3/${4:-0}" > "$1.count"
}

# run LABEL STATEMENTS COMMAND...: prints seconds, statements/s, input MB/s, peak RSS
run() {
  local label=$1 count=$2 input=$3; shift 3
  local log=$OUT/time.log
  local secs="" rss=0 mb s r k t0 t1
  # Best of BENCH_REPEAT runs: the other core's work only ever slows a run down.
  for ((k = 0; k < ${BENCH_REPEAT:-5}; k++)); do
    # Wall time from the clock in nanoseconds: time's own figure has 10 ms steps, 7% of a
    # five-axis run.
    t0=$(date +%s%N)
    $TIME -v "$@" 2> "$log" > /dev/null || { cat "$log"; echo "$label: failed"; return 1; }
    t1=$(date +%s%N)
    s=$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.4f", (b - a) / 1e9}')
    r=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
    if [ -z "$secs" ] || awk -v a="$s" -v b="$secs" 'BEGIN {exit !(a < b)}'; then secs=$s; fi
    [ "$r" -gt "$rss" ] && rss=$r
  done
  mb=$(stat -c %s "$input" | awk '{printf "%.1f", $1/1048576}')
  awk -v l="$label" -v n="$count" -v s="$secs" -v r="$rss" -v mb="$mb" 'BEGIN {
    if (s <= 0) s = 0.005
    printf "%-34s %7.3f s %12.0f stmt/s %8.1f MB/s %8.1f MB peak\n", l, s, n / s, mb / s, r / 1024 }'
}

F3=$OUT/goto3_${N3}.apt
F5=$OUT/goto5_${N5}.apt
F5S=$OUT/goto5s_${N5}.apt
gen "$F3" "$N3" 3
gen "$F5" "$N5" 5
gen "$F5S" "$N5" 5 1
[ -s "$DEFAULT_PPC" ] || echo "warning: $DEFAULT_PPC is empty: the 3-axis figure converts with an empty definition"

echo "ordalis-post $("$POST" --version | cut -d' ' -f2), $(nproc) cores; input $(du -h "$F3" | cut -f1) / $(du -h "$F5" | cut -f1)"
run "3-axis, Default.ppc" "$N3" "$F3" "$POST" --ppc "$DEFAULT_PPC" -o "$OUT/goto3.nc" "$F3"
run "3-axis, fanuc_mill.ppc" "$N3" "$F3" "$POST" --ppc "$ROOT/data/ppc/fanuc_mill.ppc" -o "$OUT/goto3f.nc" "$F3"
run "wc -l" "$N3" "$F3" wc -l "$F3"
run "awk one-liner" "$N3" "$F3" awk -F'[/,]' '/^GOTO/{printf "N%d G1 X%.3f Y%.3f Z%.3f\n",NR*10,$2,$3,$4}' "$F3"
run "5-axis, head_ac_5axis.ppc" "$N5" "$F5" "$POST" --ppc "$HEAD_PPC" -o "$OUT/goto5.nc" "$F5"
# Machine coordinates with the split of five-axis moves; the figure counts input statements.
run "5-axis machine coord., smooth axis" "$N5" "$F5S" "$POST" --ppc "$MACHINE_PPC" -o "$OUT/goto5m.nc" "$F5S"
echo "outputs: $(wc -l < "$OUT/goto3.nc") / $(wc -l < "$OUT/goto5.nc") / $(wc -l < "$OUT/goto5m.nc") lines"

# The text road on memory panes, at 100,000 statements.
FT=$OUT/goto3_100000.apt
gen "$FT" 100000 3
TEXT_ROAD_BENCH=$(dirname "$POST")/bench_text_road
[ -x "$TEXT_ROAD_BENCH" ] && "$TEXT_ROAD_BENCH" "$FT" "$DEFAULT_PPC"

# The text pane over its Qt widget, offscreen (built with the desktop program only).
PANE_BENCH=$(dirname "$POST")/bench_text_pane
if [ -x "$PANE_BENCH" ]; then
  QT_QPA_PLATFORM=offscreen "$PANE_BENCH" "$F3" 2> /dev/null
fi

# The real main window, offscreen: open, text road, file road beside ordalis-post on the same file.
WINDOW_BENCH=$(dirname "$POST")/bench_main_window
if [ -x "$WINDOW_BENCH" ]; then
  printf '[POSTPROCESSEUR]\r\nFichier=%s\r\nNom=Default\r\n[CONFIG]\r\nLangId=1033\r\nCloseAfterPP=0\r\n' \
    "$DEFAULT_PPC" > "$OUT/window.ini"
  POST_S=$(run "post" "$N3" "$F3" "$POST" --ppc "$DEFAULT_PPC" -o "$OUT/goto3.nc" "$F3" | awk '{print $2}')
  QT_QPA_PLATFORM=offscreen "$WINDOW_BENCH" "$OUT/window.ini" "$F3" "$N3" "$FT" 100000 \
    "$OUT/window.nc" "$POST_S" 2> /dev/null
fi

# The toolpath display: the moves of the 1,000,000-GOTO program through the display road (what
# Display makes the user wait for) and the move list alone, then the redraw offscreen (desktop
# build only).
BUILD_BENCH=$(dirname "$POST")/bench_display_build
[ -x "$BUILD_BENCH" ] && "$BUILD_BENCH" "$F3" "$DEFAULT_PPC" 1000000
REDRAW_BENCH=$(dirname "$POST")/bench_display_redraw
if [ -x "$REDRAW_BENCH" ]; then
  QT_QPA_PLATFORM=offscreen "$REDRAW_BENCH" 200000 1000000 2> /dev/null
fi

if [ "${BENCH_BIG:-0}" = 1 ]; then
  BIG=$OUT/goto3_1g.apt
  NB=$(( 1024 * 1024 * 1024 / 30 ))
  awk -v N="$NB" -v AXES=3 -f "$ROOT/bench/gen_apt.awk" > "$BIG"
  run "1 GB, Default.ppc" "$NB" "$BIG" "$POST" --ppc "$DEFAULT_PPC" -o "$OUT/big.nc" "$BIG"
  rm -f "$BIG" "$OUT/big.nc"
else
  echo "(set BENCH_BIG=1 for the 1 GB peak-memory run: about a minute, 2 GB of disk for a moment)"
fi
