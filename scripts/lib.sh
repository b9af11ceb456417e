# shellcheck shell=bash
# Sourced by the project's scripts and shell tests for what several of them do alike: failing with a message,
# waiting for a condition, starting and ending processes in the background, a virtual X server, commands run as
# root, and the version of a build.
# Usage: source "$root/scripts/lib.sh"   (from a bash script under set -euo pipefail)

# Both are the callers' to set or read.
# shellcheck disable=SC2034
# A file whose lines fail also shows, each after the file's name without its extension (brelvix.log gives
# "brelvix: "): the output of the program a script was checking, say.
failure_log=
# The virtual X server start_virtual_display started, for the caller's cleanup to stop.
xvfb_pid=

# fail MESSAGE...: says MESSAGE after the script's name on standard error, and exits with status 1.
fail() {
    local script=${0##*/}
    echo "${script%.sh}: $*" >&2
    if [ -n "$failure_log" ] && [ -s "$failure_log" ]; then
        local name=${failure_log##*/}
        sed "s/^/${name%.*}: /" "$failure_log" >&2
    fi
    exit 1
}

# wait_for SECONDS COMMAND...: runs COMMAND until it succeeds, for at most SECONDS.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            return 1
        fi
        sleep 0.1
    done
}

# stop PID...: ends each of these processes that still runs, and waits for it. Empty PIDs are skipped, so a
# cleanup can name processes that never started.
stop() {
    local pid
    for pid in "$@"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
}

# has_exited PID: the process has ended.
has_exited() {
    ! kill -0 "$1" 2>/dev/null
}

# as_root COMMAND...: runs COMMAND as root, through sudo where the script is not root. sudo clears the
# environment, so a variable COMMAND needs is passed through env.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# start_virtual_display WIDTHxHEIGHT: starts Xvfb on a free display, which it picks itself and names once it
# accepts clients, and exports DISPLAY. The caller stops it: stop "$xvfb_pid".
start_virtual_display() {
    local display_file log
    display_file=$(mktemp)
    log=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$display_file" >"$log" 2>&1 &
    xvfb_pid=$!
    if ! wait_for 20 test -s "$display_file"; then
        local output
        output=$(cat "$log")
        rm -f "$display_file" "$log"
        fail "Xvfb did not start: $output"
    fi
    DISPLAY=":$(head -n 1 "$display_file")"
    export DISPLAY
    rm -f "$display_file" "$log"
}

# build_version BUILD_DIRECTORY: prints the project's version as CMake configured it there.
build_version() {
    local version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt" 2>/dev/null) || true
    [ -n "$version" ] || fail "$1 names no version: configure it with CMake first"
    echo "$version"
}
