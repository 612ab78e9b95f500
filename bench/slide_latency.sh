#!/usr/bin/env bash
# Time from the pointer entering the call-back band to the bar standing at full height
# (auto-hide on, docked at the bottom), the pointer moving toward the edge in small steps.
# Usage: bench/slide_latency.sh [BUILD_TREE]   (default: build/x86_64)
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"
zel_lock_build
tree=${1:-$BUILD/x86_64}
runs=${ZEL_BENCH_RUNS:-20}

zel_trap_exit
zel_start_display
zel_prefix
zel_start_wineserver

ini="$WINEPREFIX/drive_c/windows/ZEL32.INI"
printf '[Env]\r\nSilent=1\r\n' >"$ini"
"$ZEL_WINE" "$tree/ZEL32.EXE" >/dev/null 2>&1 &
bar=$!
"$ZEL_WINE" "$tree/slide_latency.exe" "$runs" || true
kill "$bar" 2>/dev/null || true
wait "$bar" 2>/dev/null || true
rm -f "$ini"
