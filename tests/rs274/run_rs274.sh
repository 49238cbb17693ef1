#!/bin/sh
# Converts programs with the LinuxCNC definition and has LinuxCNC's own interpreter, rs274, read
# them back; check_rs274.py compares its canonical moves with the APT geometry.
#   run_rs274.sh POST SOURCE_DIR WORK_DIR PROGRAM.apt...
# Exit 77 (counted as skipped) when rs274 or python3 is missing.
if ! command -v rs274 >/dev/null 2>&1; then
  echo "skipped: rs274 not installed (Debian package linuxcnc-uspace)"
  exit 77
fi
if ! command -v python3 >/dev/null 2>&1; then
  echo "skipped: python3 not installed"
  exit 77
fi
exec python3 "$(dirname "$0")/check_rs274.py" "$@"
