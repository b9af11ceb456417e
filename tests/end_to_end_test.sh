#!/usr/bin/env bash
# Runs the real program, the Linux one or the Windows one under Wine, on a virtual X server: another program
# puts a query on the clipboard, real key presses work the window, and the laid-out text is read back from
# the clipboard. The X server is the test's own, unless BRELVIX_TEST_DISPLAY names one: Wine bridges the
# clipboard to the display its first window opened on, so every Windows test of a run shares one display.
# Usage: end_to_end_test.sh VERSION PROGRAM [ARGUMENT...]   (for instance: 1.1.0 wine-run brelvix.exe)
set -euo pipefail
# shellcheck source=../scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

[ $# -gt 1 ] || { echo "usage: end_to_end_test.sh VERSION PROGRAM [ARGUMENT...]" >&2; exit 2; }
caption="Brelvix for Access (Ver$1)"
shift
program=("$@")

# Without these tools the test cannot run: 77 has CTest report it as skipped, not passed. CI must run it.
missing_tools=()
for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null 2>&1 || missing_tools+=("$tool")
done
if [ ${#missing_tools[@]} -gt 0 ]; then
    echo "end_to_end: not run: ${missing_tools[*]} not found (scripts/setup test installs them)" >&2
    if [ -n "${CI:-}" ]; then
        exit 1
    fi
    exit 77
fi

work=$(mktemp -d)
failure_log="$work/brelvix.log"
xclip_pid=
brelvix_pid=

cleanup() {
    stop "$brelvix_pid" "$xclip_pid" "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT

clipboard_holds() {
    timeout 5 xclip -selection clipboard -out >"$work/clipboard" 2>/dev/null && cmp -s "$work/clipboard" "$1"
}

clipboard_is_empty() {
    [ -z "$(timeout 5 xclip -selection clipboard -out 2>/dev/null)" ]
}

# Presses an access key, then gives the button's short visible press time to end in its click.
press() {
    xdotool key "$1"
    sleep 0.5
}

if [ -n "${BRELVIX_TEST_DISPLAY:-}" ]; then
    export DISPLAY="$BRELVIX_TEST_DISPLAY"
else
    start_virtual_display 1024x768
fi
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_IM_MODULE XMODIFIERS

printf 'SELECT a.x, a.y\r\nFROM a\r\nWHERE a.x = 1\r\nORDER BY a.y;' >"$work/query"
printf '%s\n' \
    'strSQL = strSQL & "SELECT' \
    'strSQL = strSQL & " a.x,' \
    'strSQL = strSQL & " a.y' \
    'strSQL = strSQL & "FROM' \
    'strSQL = strSQL & " a' \
    'strSQL = strSQL & "WHERE' \
    'strSQL = strSQL & " a.x = 1' \
    'strSQL = strSQL & "ORDER BY' \
    'strSQL = strSQL & " a.y' >"$work/expected"
printf ';' >>"$work/expected"

# In the foreground xclip serves the clipboard until another program takes it over. Under Wine the display's
# clipboard is also Wine's, whose clipboard manager may take it back once as it starts; xclip then offers the
# query again.
offer_query() {
    for _ in 1 2 3; do
        xclip -quiet -selection clipboard -in "$work/query" >/dev/null 2>&1 &
        xclip_pid=$!
        if wait_for 5 clipboard_holds "$work/query"; then
            return 0
        fi
        stop "$xclip_pid"
        xclip_pid=
    done
    return 1
}
offer_query || fail "xclip did not take the clipboard"

"${program[@]}" </dev/null >"$work/brelvix.log" 2>&1 &
brelvix_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Brelvix for Access \(Ver' | head -n 1) ||
    fail "the window did not appear"
[ "$(xdotool getwindowname "$window")" = "$caption" ] ||
    fail "wrong caption: $(xdotool getwindowname "$window")"
# With no window manager the window is focused directly.
timeout 10 xdotool windowfocus --sync "$window" || fail "the window could not be focused"
sleep 0.5

press alt+v # Paste
press alt+a # Adjust
press alt+s # Add String
press alt+c # Copy
wait_for 10 clipboard_holds "$work/expected" ||
    fail "the clipboard does not hold the laid-out query; it holds: $(cat "$work/clipboard")"

press alt+e # Clear
wait_for 10 clipboard_is_empty || fail "Clear left the clipboard holding text"

xdotool key alt+x # Exit
wait_for 10 has_exited "$brelvix_pid" || fail "Exit did not end the program"
status=0
wait "$brelvix_pid" || status=$?
brelvix_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "end_to_end: passed"
