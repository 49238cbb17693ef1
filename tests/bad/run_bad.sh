#!/usr/bin/env bash
# Hostile inputs through ordalis-post, one case per CTest (see CMakeLists.txt beside this file).
#   run_bad.sh POST SOURCE WORK CASE
# Each case makes its inputs in WORK (large ones are generated here, never kept in the source
# tree), runs the batch program under a time limit, and checks what a user would see: the exit
# status, the message on standard error, and an output free of NaN and infinity.
set -uo pipefail
POST=$1 SOURCE=$2 WORK=$3 CASE=$4
LIMIT=${ORDALIS_BAD_LIMIT:-240}
DEFAULT_PPC=$SOURCE/data/Default.ppc

rm -rf "$WORK"
mkdir -p "$WORK"
cd "$WORK" || exit 1

fail() {
  echo "FAIL [$CASE]: $*" >&2
  [ -f stderr.txt ] && { echo "--- standard error (first lines):" >&2; head -c 2000 stderr.txt >&2; }
  exit 1
}

# Runs the batch program with the settings file kept out of the way; sets RC. A time-out or a
# signal is a failure whatever the case expects.
post() {
  timeout -k 10 "$LIMIT" "$POST" --ini "$WORK/none.ini" "$@" >stdout.txt 2>stderr.txt
  RC=$?
  [ "$RC" -eq 124 ] && fail "no result within ${LIMIT}s"
  [ "$RC" -ge 125 ] && fail "ended by signal or could not run (status $RC)"
  grep -q 'ERROR: AddressSanitizer\|runtime error:' stderr.txt && fail "sanitizer report"
  return 0
}

expect_rc() { [ "$RC" -eq "$1" ] || fail "exit status $RC, expected $1"; }

expect_log() { grep -qF -- "$1" stderr.txt || fail "standard error lacks: $1"; }

# The output exists, is framed by the definition's start and end, and holds no non-finite number.
expect_program() {
  [ -f "$1" ] || fail "no output file $1"
  grep -qaiE 'nan|inf' "$1" && fail "NaN or infinity written: $(grep -aioE '.{0,20}(nan|inf).{0,20}' "$1" | head -3)"
  return 0
}

expect_in_output() { grep -qaF -- "$2" "$1" || fail "output lacks: $2"; }

expect_in_output_re() { grep -qaE -- "$2" "$1" || fail "output lacks a match for: $2"; }

expect_no_output() {
  local found
  found=$(find "$WORK" -name '*.nc' -o -name '*.tmp' | head -3)
  [ -z "$found" ] || fail "nothing should be written, found: $found"
}

# A definition: Default.ppc with some keys replaced ("KEY=value" lines on standard input).
definition_with() {
  local out=$1
  local edits
  edits=$(cat)
  # Keys compare on their ASCII letters, so that "Cinématique_Machine" written here in UTF-8
  # replaces the file's Windows-1252 key (the loader takes both spellings).
  LC_ALL=C awk -v edits="$edits" '
    function key(line) { sub(/=.*/, "", line); gsub(/[^ -~]/, "", line); return line }
    BEGIN { n = split(edits, e, "\n"); for (i = 1; i <= n; i++) v[key(e[i])] = e[i] }
    { k = key($0); if ($0 ~ /=/ && k in v) { print v[k]; used[k] = 1 } else print }
    END { for (k in v) if (!(k in used)) print v[k] }' "$DEFAULT_PPC" >"$out"
}

small_program() {
  printf 'PARTNO HOSTILE\r\nLOADTL/1\r\nFEDRAT/100\r\nGOTO/1,2,3\r\nGOTO/4,5,6\r\nFINI\r\n'
}

case_binary_file() {
  # Every byte value, in two orders, over a megabyte: NUL, CR, LF, "$", "/" and "&(" among them.
  local block='' i
  for i in $(seq 0 255); do block+="\\x$(printf %02x "$i")"; done
  for i in $(seq 255 -7 0); do block+="\\x$(printf %02x "$i")"; done
  for i in $(seq 1 2800); do printf "$block"; done >input.apt
  post --ppc "$DEFAULT_PPC" -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  expect_in_output out.nc "%"
}

case_nul_bytes() {
  printf 'LOADTL/1\nGOTO/1\0,2,3\nGO\0TO/4,5,6\n\0\0\0\nGOTO/7,8,9\0\nPPRINT A\0B\nFINI\n' >input.apt
  post --ppc "$DEFAULT_PPC" -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  expect_in_output out.nc "X7."
}

case_line_100mb() {
  { printf 'LOADTL/1\nGOTO/1,2,3\n'
    head -c 100000000 /dev/zero | tr '\0' 'X'
    printf '\nGOTO/4,5,6\nPPRINT '
    head -c 100000000 /dev/zero | tr '\0' '9'
    printf '\nGOTO/7,8,9\nFINI\n'; } >input.apt
  post --ppc "$DEFAULT_PPC" -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  expect_in_output out.nc "X4."
  expect_in_output out.nc "X7."
  rm -f input.apt out.nc
}

case_million_continuations() {
  { printf 'LOADTL/1\nGOTO/1,2,$\n'
    yes '0$' | head -n 1000000
    printf '3\nPPRINT START$\n'
    yes ' MORE$' | head -n 1000000
    printf ' END\nGOTO/7,8,9\nFINI\n'; } >input.apt
  post --ppc "$DEFAULT_PPC" -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  expect_in_output out.nc "X7."
  rm -f input.apt out.nc
}

case_extreme_numbers() {
  local digits
  digits=$(printf '9%.0s' $(seq 1 400))
  cat >input.apt <<EOF
PARTNO EXTREME NUMBERS
LOADTL/1e308
CUTTER/1e308,1e308,1e308
SPINDL/1E308,CLW
FEDRAT/1e308
GOTO/1e308,-0,NaN
GOTO/INF,-INF,1E309
GOTO/$digits,1,-$digits
GOTO/0.$digits,1e-400,-0.0
GOTO/-1e308,-1e308,-1e308
GOTO/1e308,1e308,1e308
GODLTA/1e308,1e308,1e308
GODLTA/1e308,1e308,1e308
GOTO/1,1,1
CIRCLE/1e308,0,0,0,0,1,1e308
GOTO/-1e308,0,0
CIRCLE/0,0,0,0,0,1,1e-320
GOTO/1e-320,0,0
CIRCLE/0,0,0,0,0,0,5
GOTO/5,5,0
GOTO/1,1,1,1e308,1e308,1e308
GOTO/1,1,1,0,0,0
GOTO/1,1,1,NaN,INF,-INF
DELAY/1e308
CYCLE/DRILL,1e308,1e308,MMPM,1e308
GOTO/1e308,1e308,1e308
CYCLE/OFF
ORIGIN/1e308,-1e308,1e308
AUXFUN/1e308
PREFUN/-1e308
SPINDL/-0
FEDRAT/NaN
GOTO/2,2,2
FINI
EOF
  # Tool axes other than +Z stop a machine without rotary axes (clean, exit 3): the other lines are
  # run there without them.
  grep -v '^GOTO/1,1,1,' input.apt >upright.apt
  local ppc
  for ppc in "$DEFAULT_PPC" "$SOURCE"/data/ppc/*.ppc; do
    post --ppc "$ppc" -o out.nc upright.apt
    expect_rc 0
    expect_program out.nc
    expect_in_output_re out.nc 'X\+?2\.0'
    post --ppc "$ppc" -o out.nc input.apt
    expect_program out.nc
    if LC_ALL=C grep -qaE $'^Cin[^=]*matique_Machine=1\r?$' "$ppc"; then
      expect_rc 3
      expect_log "Tool axis other than +Z"
    else
      expect_rc 0
      expect_in_output_re out.nc 'X\+?2\.0'
    fi
  done
}

case_unbalanced_placeholders() {
  definition_with def.ppc <<'EOF'
PP_DEBUT=%&n(&(PP_NCFILE,&n&(&(&(
PP_PARTNO=(&(PP_PARTNO,
CHANGE_OUTIL=T&(PP_TOOL,0 M6 &(PP_TOOL
FORMAT_CERCLE=&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.000 Y&(,) &(0,F~
PP_FIN=&(&(PP_X,0.000),0)&(
EOF
  printf 'PARTNO &( &(PP_PARTNO, &(&(&( )\nPPRINT &(PP_X,0\nLOADTL/1\nGOTO/1,0,0\nCIRCLE/0,0,0,0,0,1,1\nGOTO/-1,0,0\nFINI\n' >input.apt
  post --ppc def.ppc -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  expect_in_output out.nc "T&(PP_TOOL,0 M6"
}

case_self_naming_template() {
  definition_with def.ppc <<'EOF'
PP_PARTNO=(&(PP_PARTNO,)&(PP_PARTNO,))
PP_DEBUT=&(PP_DEBUT,)&n&(PP_NCFILE,)
GESTION_CUTTER=(&(TOOL_NAME,) &(GESTION_CUTTER,))
OPTION_TRAITEMENT_CUTTER=1
EOF
  printf 'PARTNO &(PP_PARTNO,)&(PP_PARTNO,)\nCUTTER/10\n$$ tool &(TOOL_NAME,)\nLOADTL/1\nGOTO/1,2,3\nFINI\n' >input.apt
  post --ppc def.ppc -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  # Written once each, never expanded again, and without the comment delimiters of the name.
  expect_in_output out.nc "(& PP_PARTNO, & PP_PARTNO, & PP_PARTNO, & PP_PARTNO, )"
  expect_in_output out.nc "&(PP_DEBUT,)"
}

case_odd_patterns() {
  local long
  long="X$(printf '0%.0s' $(seq 1 1000)).$(printf '#%.0s' $(seq 1 999))"
  definition_with def.ppc <<EOF
FORMAT_PP_X=#
FORMAT_PP_Y=0
FORMAT_PP_Z=+
FORMAT_PP_I=X+
FORMAT_PP_J=$long
FORMAT_PP_N=N$long
OPTION_SORTIE_N=1
PP_F=+
PP_S=X+
FORMAT_CERCLE=G2 X&(PP_POINT_CERCLE_X,#) Y&(PP_POINT_CERCLE_Y,0) I&(PP_CENTRE_RELATIF_X,+) J&(PP_CENTRE_RELATIF_Y,$long)
EOF
  printf 'LOADTL/1\nSPINDL/1000\nFEDRAT/250.5\nGOTO/-12.5,1e300,-0.4\nGOTO/0.5,-1e300,2.5\nCIRCLE/0,0,0,0,0,1,3\nGOTO/-3,0,0\nFINI\n' >input.apt
  post --ppc def.ppc -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  # Every line stays bounded: no pattern multiplies the text it writes.
  awk 'length($0) > 1000000 { exit 1 }' out.nc || fail "a line over a million characters"
}

case_empty_definition() {
  # Every key present with an empty value.
  grep -a '=' "$DEFAULT_PPC" | sed 's/=.*/=/' >def.ppc
  small_program >input.apt
  post --ppc def.ppc -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
}

case_absurd_numbering() {
  local settings
  for settings in 'NUM_INCR=0' 'NUM_INCR=-1' 'NUM_INCR=32767' 'NUM_INCR=1e308' \
      'NUM_MAX=-5' 'NUM_MAX=1e308' 'NUM_ORIGINE=1e308' 'NUM_ORIGINE=-1e40'; do
    { echo "OPTION_SORTIE_N=1"; echo "NUM_ORIGINE=100"; echo "NUM_MAX=50"; echo "$settings"; } |
      definition_with def.ppc
    small_program >input.apt
    post --ppc def.ppc -o out.nc input.apt
    expect_rc 0
    expect_program out.nc
    expect_in_output out.nc "X4."
  done
}

case_five_axis_extremes() {
  # Tool axes of zero length, huge, denormal or NaN, for every machine kinematics number.
  cat >input.apt <<'EOF2'
LOADTL/1
MULTAX/ON
GOTO/1,2,3,0,0,0
GOTO/1,2,3,0,0,1
GOTO/1,2,3,1e308,1e308,1e308
GOTO/1,2,3,1e-320,0,0
GOTO/1,2,3,-1,0,0
GOTO/1,2,3,NaN,1,0
GOTO/1e308,-1e308,3,0.5,0.5,0.5
TLAXIS/0,0,0
INDIRV/0,0,0
CIRCLE/0,0,0,1e308,1e308,1e308,5
GOTO/5,0,0
CIRCLE/0,0,0,0,0,1,-5
GOTO/-5,0,0
GOTO/1,2,3,0,0,-1
FINI
EOF2
  local k
  for k in $(seq 1 20) 0 -1 999; do
    printf 'Cinématique_Machine=%s\nPP_LIMIT_AB_MINI=-180\nPP_LIMIT_AB_MAXI=180\nPP_LIMIT_C_MAXI=360\n' "$k" |
      definition_with def.ppc
    post --ppc def.ppc -o out.nc input.apt
    expect_program out.nc
    if [ "$k" -lt 2 ]; then
      # No rotary axis: the first tilted axis stops the run.
      expect_rc 3
      expect_log "Tool axis other than +Z"
    else
      # A 45 degree head cannot point the tool upwards: the run stops there, interrupted.
      [ "$RC" -eq 0 ] || [ "$RC" -eq 3 ] || fail "exit status $RC, expected 0 or 3"
    fi
  done
}

case_absurd_definition() {
  definition_with def.ppc <<'EOF'
PP_ORDER=XXXXXXXXXXXXX
Cinématique_Machine=-32768
Type_Postprocesseur=99999
ToleranceCalcul=-1
PP_LIMIT_AB_MINI=1e308
PP_LIMIT_AB_MAXI=-1e308
PP_HEAD_ANGLE=NaN
PP_SPACE=-1
PP_DEC_ORIGIN=1e9
OPTION_CYCLE_RAPIDE=1e308
MODE=&n&n/&n//&n
EOF
  printf 'LOADTL/1\nMULTAX/ON\nGOTO/1,2,3,0,0,1\nGOTO/4,5,6,0,0,1\nCIRCLE/0,0,0,0,1,0,2\nGOTO/-2,0,0\nORIGIN/1,2,3\nFINI\n' >input.apt
  post --ppc def.ppc -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
  for order in 'PP_ORDER=' 'PP_ORDER=NGXYZIJKRABCFNGXYZ' 'PP_ORDER=nnnnnnnnnnnnn'; do
    echo "$order" | definition_with def.ppc
    post --ppc def.ppc -o out.nc input.apt
    expect_rc 0
    expect_program out.nc
  done
}

case_missing_output_folder() {
  small_program >input.apt
  post --ppc "$DEFAULT_PPC" -o "$WORK/no/such/folder/out.nc" input.apt
  expect_rc 1
  expect_log "Error writing file: $WORK/no/such/folder/out.nc"
  expect_no_output
}

case_unwritable_output() {
  small_program >input.apt
  echo plain >file.txt
  # A folder that is a file, and a file system nobody may create files in (even root).
  post --ppc "$DEFAULT_PPC" -o "$WORK/file.txt/out.nc" input.apt
  expect_rc 1
  expect_log "Error writing file: $WORK/file.txt/out.nc"
  post --ppc "$DEFAULT_PPC" -o /proc/ordalis-out.nc input.apt
  expect_rc 1
  expect_log "Error writing file: /proc/ordalis-out.nc"
  expect_no_output
}

case_special_outputs() {
  small_program >input.apt
  # A link keeps pointing to the file that receives the program.
  echo old >real.nc
  ln -s real.nc link.nc
  post --ppc "$DEFAULT_PPC" -o link.nc input.apt
  expect_rc 0
  [ -L link.nc ] || fail "the link was replaced by a file"
  expect_in_output real.nc "X4."
  # A pipe is written, not replaced (a CAM system may read the program from one).
  mkfifo pipe.nc
  timeout 60 cat pipe.nc >from_pipe.txt &
  local reader=$!
  post --ppc "$DEFAULT_PPC" -o pipe.nc input.apt
  expect_rc 0
  [ -p pipe.nc ] || fail "the pipe was replaced by a file"
  wait "$reader"
  expect_in_output from_pipe.txt "X4."
  # Devices reached through links in the work folder: written in place, and a device that
  # refuses the bytes is a failure.
  ln -s /dev/null null.nc
  post --ppc "$DEFAULT_PPC" -o null.nc input.apt
  expect_rc 0
  [ -L null.nc ] || fail "the link to /dev/null was replaced by a file"
  if [ -e /dev/full ]; then
    ln -s /dev/full full.nc
    post --ppc "$DEFAULT_PPC" -o full.nc input.apt
    expect_rc 1
    expect_log "Error writing file: full.nc"
    [ -L full.nc ] || fail "the link to /dev/full was replaced by a file"
  fi
  rm -f real.nc
}

case_input_is_folder() {
  mkdir -p folder.apt
  post --ppc "$DEFAULT_PPC" folder.apt
  expect_rc 1
  expect_log "folder.apt"
  expect_no_output
  mkdir -p folder.ppc
  small_program >input.apt
  post --ppc folder.ppc input.apt
  expect_rc 1
  expect_log "folder.ppc"
  expect_no_output
}

case_large_lexicon() {
  # lexique.txt beside the program: its texts section first, then a million and a half other keys
  # (fewer under the sanitizers). Each catalogue text missing from it is added; this once took minutes.
  local keys=${ORDALIS_BAD_LEXICON_KEYS:-1500000}
  mkdir -p prog
  cp "$POST" prog/ordalis-post
  POST=$WORK/prog/ordalis-post
  { printf '[Texte]\r\n1=Own text\r\n[Other]\r\n'
    seq 1 "$keys" | sed 's/.*/key&=value\r/'; } >prog/lexique.txt
  printf '[POSTPROCESSEUR]\r\nFichier=%s\r\n' "$DEFAULT_PPC" >settings.ini
  small_program >input.apt
  LIMIT=${ORDALIS_BAD_LEXICON_LIMIT:-120}
  timeout -k 10 "$LIMIT" "$POST" --ini settings.ini -o out.nc input.apt >stdout.txt 2>stderr.txt
  RC=$?
  [ "$RC" -eq 124 ] && fail "no result within ${LIMIT}s"
  expect_rc 0
  expect_program out.nc
  grep -qa '^2120=' prog/lexique.txt || fail "the lexicon was not filled in"
  grep -qa "^key$keys=value" prog/lexique.txt || fail "the lexicon lost its own keys"
  rm -rf prog
}

case_binary_definition() {
  local i
  for i in $(seq 1 4000); do printf '\x00\xff[=\r&(\n'; done >def.ppc
  small_program >input.apt
  post --ppc def.ppc -o out.nc input.apt
  expect_rc 0
  expect_program out.nc
}

"case_$CASE" || exit 1
echo "PASS [$CASE]"
