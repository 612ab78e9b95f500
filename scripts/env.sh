# shellcheck shell=bash
# Sourced by the other scripts: paths, the Wine environment, and helpers that start and stop
# the display, the Wine prefix and the wineserver. Each script keeps to a Wine prefix of its
# own (zel_use_prefix), so that only scripts/run.sh ever meets the user's ZEL32.INI.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
export ROOT BUILD

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
# Bump when what zel_prefix sets up changes, so existing prefixes get it too.
ZEL_PREFIX_VERSION=2

zel_log() { printf '%s\n' "$*" >&2; }

# Chooses the Wine prefix, and with it the profile file, that this script works in:
#   user          $BUILD/wineprefix, the bar of scripts/run.sh, whose ZEL32.INI is the user's
#   test          $BUILD/test-prefix, scripts/test.sh and CTest's runner (the default)
#   screenshots   $BUILD/screenshots-prefix, scripts/screenshots.sh
#   bench         $BUILD/bench-prefix, bench/figures.sh
# The end-to-end and release tests make prefixes of their own inside the 32-bit tree.
zel_use_prefix() {
    case $1 in
        user) WINEPREFIX=$BUILD/wineprefix ;;
        test | screenshots | bench) WINEPREFIX=$BUILD/$1-prefix ;;
        *) zel_log "error: no Wine prefix for \"$1\""; return 1 ;;
    esac
    export WINEPREFIX
    ZEL_PREFIX_STAMP=$WINEPREFIX/.zel-prefix
    ZEL_PROFILE=$WINEPREFIX/drive_c/windows/ZEL32.INI
}
zel_use_prefix test

zel_wine() { "$ZEL_WINE" "$@"; }

# Starts Xvfb unless a display is already set. Xvfb picks a free display number itself and
# reports it (-displayfd) once it accepts connections, so a run cannot take another run's
# server for its own after losing a race for a number.
zel_start_display() {
    if [[ -n ${DISPLAY:-} ]]; then
        return 0
    fi
    local numfile=$BUILD/xvfb.display pid n="" i timeout=${ZEL_XVFB_TIMEOUT:-30}
    rm -f "$numfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >"$BUILD/xvfb.log" 2>&1 &
    pid=$!
    # The number arrives as one line; a line still without its newline is not complete.
    for ((i = 0; ; i++)); do
        read -r n 2>/dev/null <"$numfile" && [[ $n =~ ^[0-9]+$ ]] && break
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
            zel_log "error: Xvfb ended before it reported its display; $BUILD/xvfb.log says:"
            tail -n 5 "$BUILD/xvfb.log" >&2 || true
            return 1
        fi
        if (( i >= timeout * 20 )); then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            zel_log "error: Xvfb reported no display within $timeout s (see $BUILD/xvfb.log)"
            return 1
        fi
        sleep 0.05
    done
    ZEL_XVFB_PID=$pid
    export DISPLAY=:$n
}

# Holds the build folder for the rest of this script, so that two runs with one build folder
# do not stop each other's wineserver, prefix or display; a second run waits for the first.
# A small process holds the lock and ends with this shell: a descriptor of this shell would
# be inherited by the wineserver and Xvfb and could outlive the run. Nested scripts that
# source this file again (a test that runs a script) find the lock theirs already.
zel_lock_build() {
    [[ ${ZEL_BUILD_LOCKED:-} == "$BUILD" ]] && return 0
    local lock=$BUILD/.lock held holder i
    held=$(mktemp "$BUILD/.lock-held.XXXXXX")
    rm -f "$held"
    # shellcheck disable=SC2016 # the holder's own arguments
    flock "$lock" sh -c 'touch "$1"; while kill -0 "$2" 2>/dev/null; do sleep 0.2; done' sh "$held" "$$" \
        </dev/null >/dev/null 2>&1 &
    holder=$!
    for ((i = 0; ; i++)); do
        [[ -e $held ]] && break
        if ! kill -0 "$holder" 2>/dev/null; then
            zel_log "error: could not lock $lock"
            return 1
        fi
        (( i == 5 )) && zel_log "waiting for another run that uses $BUILD to end (lock $lock)"
        sleep 0.1
    done
    rm -f "$held"
    export ZEL_BUILD_LOCKED=$BUILD
}

# Makes the Wine prefix once; later runs reuse it.
zel_prefix() {
    if [[ -f $ZEL_PREFIX_STAMP && $(<"$ZEL_PREFIX_STAMP") == "$ZEL_PREFIX_VERSION" ]]; then
        return 0
    fi
    if [[ ! -f $WINEPREFIX/.zel-booted ]]; then
        wineserver -k 2>/dev/null || true
        # A prefix without the mark is a half-made one from an interrupted run, or one made by
        # hand; either may hold a profile someone wants, so it is kept under another name.
        if [[ -e $WINEPREFIX || -L $WINEPREFIX ]] && ! rmdir "$WINEPREFIX" 2>/dev/null; then
            local aside
            aside=$WINEPREFIX.$(date +%Y%m%d-%H%M%S)
            [[ -e $aside ]] && aside+=.$$
            mv "$WINEPREFIX" "$aside" || { zel_log "error: could not move $WINEPREFIX aside"; return 1; }
            zel_log "$WINEPREFIX was not a finished prefix; moved it to $aside"
        fi
        zel_log "creating the Wine prefix $WINEPREFIX"
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

# Configures the 32-bit tree, $BUILD/i686, and builds ZEL32.EXE and the sample profile there
# (not the tests).
zel_build_program() {
    local dir=$BUILD/i686
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release || { zel_log "error: configuring $dir failed"; return 1; }
    local targets=(ZEL32)
    # A tree configured without the release files has no sample target.
    grep -qs '/zel_sample\.dir$' "$dir/CMakeFiles/TargetDirectories.txt" && targets+=(zel_sample)
    cmake --build "$dir" -j2 --target "${targets[@]}" || { zel_log "error: building ZEL32.EXE in $dir failed"; return 1; }
    [[ -f $dir/ZEL32.EXE ]] || { zel_log "error: the build made no $dir/ZEL32.EXE"; return 1; }
}

# The sample profile the 32-bit build makes from release/ZEL32.INI (the prefix's own profile,
# the one the bar reads, is ZEL_PROFILE).
ZEL_SAMPLE_PROFILE=$BUILD/i686/sample/ZEL32.INI

# Puts the sample profile in place when the prefix has none, so a first start shows items.
# A profile that exists is the user's and is never touched.
zel_sample_profile() {
    [[ -e $ZEL_PROFILE ]] && return 0
    if [[ ! -f $ZEL_SAMPLE_PROFILE ]]; then
        zel_log "no sample profile $ZEL_SAMPLE_PROFILE; the bar starts without items"
        return 0
    fi
    cp "$ZEL_SAMPLE_PROFILE" "$ZEL_PROFILE" || { zel_log "error: could not copy $ZEL_SAMPLE_PROFILE"; return 1; }
    zel_log "first start: copied the sample profile $ZEL_SAMPLE_PROFILE to $ZEL_PROFILE"
}

# Prints the id of the first visible window named exactly TITLE once there is one. Fails when
# the process PID ends first or after TIMEOUT seconds.
zel_wait_window() {
    local title=$1 pid=$2 timeout=${3:-30} i id rc
    # xdotool takes a regular expression; the titles have no special characters but dots.
    local pattern="^${title//./\\.}\$"
    for ((i = 0; ; i++)); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1) || true
        if [[ -n $id ]]; then
            printf '%s\n' "$id"
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            rc=0
            wait "$pid" 2>/dev/null || rc=$?
            # In a subshell (id=$(zel_wait_window ...)) the program is not a child: no status.
            if (( rc == 127 )); then rc=; else rc=" (exit status $rc)"; fi
            zel_log "error: the program ended$rc before a window \"$title\" appeared"
            return 1
        fi
        if (( i >= timeout * 5 )); then
            zel_log "error: no window \"$title\" within $timeout s"
            return 1
        fi
        sleep 0.2
    done
}

# Ends ZEL32.EXE (process PID) as if the user closed it; stops Wine if it does not end.
zel_close_bar() {
    local pid=$1 i
    # taskkill without /f sends WM_CLOSE.
    zel_wine taskkill /im ZEL32.EXE >/dev/null 2>&1 || true
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        zel_log "ZEL32.EXE did not end within 5 s of WM_CLOSE; stopping Wine"
        wineserver -k 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
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
