#!/usr/bin/env bash
# Builds the 32-bit ZEL32.EXE and starts the bar under Wine.
# With a display (DISPLAY set) the bar runs until it is quit. Without one, it runs on Xvfb
# just long enough to save a screenshot, $BUILD/screenshot.png, and is then closed.
set -euo pipefail

# shellcheck source=scripts/env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

TITLE="ZEL32.EXE Ver1.00"
WINDOW_TIMEOUT=${ZEL_WINDOW_TIMEOUT:-30}

bash "$ROOT/scripts/setup.sh"

zel_trap_exit

dir=$BUILD/i686
cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release || { zel_log "error: configuring $dir failed"; exit 1; }
cmake --build "$dir" -j2 || { zel_log "error: building $dir failed"; exit 1; }
exe=$dir/ZEL32.EXE
[[ -f $exe ]] || { zel_log "error: the build made no $exe"; exit 1; }

if [[ -n ${DISPLAY:-} ]]; then
    zel_prefix
    zel_start_wineserver
    cd "$dir"
    rc=0
    zel_wine ZEL32.EXE || rc=$?
    exit "$rc"
fi

zel_start_display
zel_prefix
zel_start_wineserver
zel_log "display $DISPLAY (Xvfb)"

cd "$dir"
zel_wine ZEL32.EXE &
bar=$!

deadline=$((SECONDS + WINDOW_TIMEOUT))
until xdotool search --onlyvisible --name "$TITLE" >/dev/null 2>&1; do
    if ! kill -0 "$bar" 2>/dev/null; then
        rc=0
        wait "$bar" || rc=$?
        zel_log "error: ZEL32.EXE ended (exit status $rc) before its window appeared"
        exit 1
    fi
    if (( SECONDS >= deadline )); then
        zel_log "error: no window \"$TITLE\" within $WINDOW_TIMEOUT s"
        exit 1
    fi
    sleep 0.2
done
sleep 1

shot=$BUILD/screenshot.png
import -display "$DISPLAY" -window root "$shot"
echo "screenshot: $shot"

# taskkill without /f sends WM_CLOSE, so the bar ends as if the user closed it.
zel_wine taskkill /im ZEL32.EXE >/dev/null 2>&1 || true
for ((i = 0; i < 50; i++)); do
    kill -0 "$bar" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$bar" 2>/dev/null; then
    zel_log "ZEL32.EXE did not end within 5 s of WM_CLOSE; stopping Wine"
    wineserver -k 2>/dev/null || true
fi
wait "$bar" 2>/dev/null || true
