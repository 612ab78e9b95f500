#!/usr/bin/env bash
# Builds the 32-bit ZEL32.EXE and starts the bar under Wine.
# With a display (DISPLAY set) the bar runs until it is quit. Without one, it runs on Xvfb
# just long enough to save a screenshot, $BUILD/screenshot.png, and is then closed.
# The bar runs in the user's prefix, $BUILD/wineprefix; on a first start (no ZEL32.INI there
# yet) the sample profile is put in place, and a ZEL32.INI that exists is never touched.
set -euo pipefail

# shellcheck source=scripts/env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
zel_use_prefix user
zel_lock_build

TITLE=" ZEL32.EXE Ver1.00"
WINDOW_TIMEOUT=${ZEL_WINDOW_TIMEOUT:-30}

bash "$ROOT/scripts/setup.sh"

zel_trap_exit

zel_build_program || exit 1
dir=$BUILD/i686

if [[ -n ${DISPLAY:-} ]]; then
    zel_prefix
    zel_sample_profile
    zel_start_wineserver
    cd "$dir"
    rc=0
    zel_wine ZEL32.EXE || rc=$?
    exit "$rc"
fi

zel_start_display
zel_prefix
zel_sample_profile
zel_start_wineserver
zel_log "display $DISPLAY (Xvfb)"

cd "$dir"
zel_wine ZEL32.EXE &
bar=$!

zel_wait_window "$TITLE" "$bar" "$WINDOW_TIMEOUT" >/dev/null || exit 1
sleep 1

shot=$BUILD/screenshot.png
import -display "$DISPLAY" -window root "$shot"
echo "screenshot: $shot"

zel_close_bar "$bar"
