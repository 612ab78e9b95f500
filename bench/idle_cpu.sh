#!/usr/bin/env bash
# Processor use of the idle bar beside a minimal window, over 10 s each, the
# program and the wineserver together, as percent of one core.
# Usage: bench/idle_cpu.sh [BUILD_TREE]   (default: build/x86_64; the 64-bit
# build runs natively where 32-bit Wine would run emulated)
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"
zel_lock_build
tree=${1:-$BUILD/x86_64}
seconds=${ZEL_BENCH_SECONDS:-10}
hz=$(getconf CLK_TCK)

zel_trap_exit
zel_start_display
zel_prefix
zel_start_wineserver

# Jiffies used so far by a process (user + system).
jiffies() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

server_pid() {
    local p
    for p in $(pgrep -f wineserver); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$p"
            return
        fi
    done
}

# Prints the percent of one core that a program and the wineserver use while it idles.
measure() {
    local exe=$1 pid server a b s1 s2
    "$ZEL_WINE" "$exe" >/dev/null 2>&1 &
    pid=$!
    sleep "${ZEL_BENCH_SETTLE:-5}"
    server=$(server_pid)
    a=$(jiffies "$pid"); s1=$(jiffies "$server")
    sleep "$seconds"
    b=$(jiffies "$pid"); s2=$(jiffies "$server")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    awk -v d=$((b - a + s2 - s1)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * d / hz / s }'
}

# The bar with auto-hide off or on; the pointer stands still in the middle of the screen.
write_ini() {
    printf '[Env]\r\nSilent=%s\r\n' "$1" >"$WINEPREFIX/drive_c/windows/ZEL32.INI"
}
xdotool mousemove 512 384 2>/dev/null || true

floor=$(measure "$tree/minimal_window.exe")
write_ini 0
bar_off=$(measure "$tree/ZEL32.EXE")
write_ini 1
bar_on=$(measure "$tree/ZEL32.EXE")
rm -f "$WINEPREFIX/drive_c/windows/ZEL32.INI"

printf 'idle processor use over %s s, program + wineserver, %% of one core\n' "$seconds"
printf '  minimal window (floor)   %6s\n' "$floor"
printf '  bar, auto-hide off       %6s\n' "$bar_off"
printf '  bar, auto-hide on        %6s\n' "$bar_on"
