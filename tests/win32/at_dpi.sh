#!/usr/bin/env bash
# Runs a program of the Windows build as on a monitor of another DPI: Wine's LogPixels is set for the run
# and put back to Wine's default afterwards.
# Usage: at_dpi.sh DPI EMULATOR... -- PROGRAM [ARGUMENT...]
set -euo pipefail
dpi=${1:?usage: at_dpi.sh DPI EMULATOR... -- PROGRAM [ARGUMENT...]}
shift
emulator=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    emulator+=("$1")
    shift
done
shift

set_log_pixels() {
    "${emulator[@]}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}
trap 'set_log_pixels 96' EXIT
set_log_pixels "$dpi"
"${emulator[@]}" "$@"
