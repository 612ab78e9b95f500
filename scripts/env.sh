# shellcheck shell=bash
# Sourced by the other scripts: paths, the Wine environment, and helpers that start and stop
# the display, the Wine prefix and the wineserver.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
export ROOT BUILD

export WINEPREFIX=$BUILD/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# No Mono or Gecko download dialogs.
export WINEDLLOVERRIDES="mscoree,mshtml="

# /usr/bin/wine runs the 32-bit loader first even for 64-bit programs; the 64-bit loader
# starts 64-bit programs at once and hands 32-bit ones to the 32-bit loader itself.
if [[ -z ${ZEL_WINE:-} ]]; then
    if [[ -x /usr/lib/wine/wine64 ]]; then ZEL_WINE=/usr/lib/wine/wine64; else ZEL_WINE=wine; fi
fi
export ZEL_WINE

ZEL_XVFB_PID=${ZEL_XVFB_PID:-}
ZEL_PREFIX_STAMP=$WINEPREFIX/.zel-prefix
# Bump when what zel_prefix sets up changes, so existing prefixes get it too.
ZEL_PREFIX_VERSION=2

zel_log() { printf '%s\n' "$*" >&2; }

zel_wine() { "$ZEL_WINE" "$@"; }

# Starts Xvfb on a free display unless a display is already set.
zel_start_display() {
    if [[ -n ${DISPLAY:-} ]]; then
        return 0
    fi
    local n pid i
    for ((n = 90; n < 190; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
        pid=$!
        for ((i = 0; i < 100; i++)); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                ZEL_XVFB_PID=$pid
                export DISPLAY=:$n
                return 0
            fi
            # Lost a race for this number to another server: try the next one.
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    zel_log "error: could not start Xvfb (see $BUILD/xvfb.log)"
    return 1
}

# Makes the Wine prefix once; later runs reuse it.
zel_prefix() {
    if [[ -f $ZEL_PREFIX_STAMP && $(<"$ZEL_PREFIX_STAMP") == "$ZEL_PREFIX_VERSION" ]]; then
        return 0
    fi
    if [[ ! -f $WINEPREFIX/.zel-booted ]]; then
        # A prefix without the mark is a half-made one from an interrupted run.
        zel_log "creating the Wine prefix $WINEPREFIX"
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        local t0=$SECONDS
        if ! zel_wine wineboot -i; then
            zel_log "error: wineboot could not create $WINEPREFIX"
            return 1
        fi
        timeout 300 wineserver -w || true
        touch "$WINEPREFIX/.zel-booted"
        zel_log "Wine prefix created in $((SECONDS - t0)) s"
    fi
    local k ok=1
    # Debian's Wine does not look in /usr/share/wine/fonts; without Marlett, caption
    # buttons, check marks and arrows are drawn as plain letters.
    cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || ok=0
    # Without a window manager Wine waits about 2 s on each hide or destroy of a managed window.
    zel_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null || ok=0
    for k in ZEL95.EXE zel_win95_tests.exe; do
        zel_wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$k" /v Version /t REG_SZ /d win98 /f >/dev/null || ok=0
    done
    if (( !ok )); then
        zel_log "error: could not set up the fonts and registry values in $WINEPREFIX"
        return 1
    fi
    # The registry reaches the disk when the wineserver ends; call this before
    # zel_start_wineserver, since a persistent server never ends by itself.
    timeout 60 wineserver -w || true
    printf '%s\n' "$ZEL_PREFIX_VERSION" >"$ZEL_PREFIX_STAMP"
}

# A persistent wineserver saves each Wine process from starting one.
zel_start_wineserver() {
    wineserver -p
    # Start Wine's own background processes (services, the desktop) here, with no output:
    # started by a test instead, they inherit its stdout and CTest waits for them until
    # the test times out. rundll32 makes a window, which brings up the desktop.
    "$ZEL_WINE" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

# Stops everything the helpers above started; safe to call more than once.
zel_stop_all() {
    if [[ -d $WINEPREFIX ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    if [[ -n $ZEL_XVFB_PID ]]; then
        kill "$ZEL_XVFB_PID" 2>/dev/null || true
        wait "$ZEL_XVFB_PID" 2>/dev/null || true
        ZEL_XVFB_PID=
        unset DISPLAY
    fi
}

# Stops everything on exit, also after an error or Ctrl-C.
zel_trap_exit() {
    trap 'zel_stop_all' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}
