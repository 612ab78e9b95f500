#!/usr/bin/env bash
# Every performance figure of the bar in one table, each beside a minimal Win32 window's
# (bench/minimal_window.cpp) measured in the same run: idle processor use and wake-ups with
# auto-hide off and on, slide-out latency (at a hand's speed and after a jump), start, the page
# turn beside the same controls made anew, working set, size on disk.
# Usage: bench/figures.sh [TREE...]   (default: $BUILD/i686, and $BUILD/x86_64 when it is built)
# A tree holds ZEL32.EXE, minimal_window.exe, slide_latency.exe and probe.exe.
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"
# A prefix of its own: the figures rewrite its ZEL32.INI at will.
zel_use_prefix bench
zel_lock_build

trees=("$@")
if (( ${#trees[@]} == 0 )); then
    trees=("$BUILD/i686")
    [[ -f $BUILD/x86_64/ZEL32.EXE ]] && trees+=("$BUILD/x86_64")
fi
for tree in "${trees[@]}"; do
    for exe in ZEL32.EXE minimal_window.exe slide_latency.exe probe.exe; do
        [[ -f $tree/$exe ]] || { zel_log "error: no $tree/$exe (build the tree first)"; exit 1; }
    done
done
seconds=${ZEL_BENCH_SECONDS:-10}
settle=${ZEL_BENCH_SETTLE:-3}
hz=$(getconf CLK_TCK)

zel_trap_exit
zel_start_display
zel_prefix
zel_start_wineserver

# Jiffies used so far by a process (user + system).
jiffies() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# Context switches so far, voluntary and not, over all threads of a process.
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/_ctxt_switches:/ {n += $2} END {print n + 0}'; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

server_pid() {
    local p
    for p in $(pgrep -x 'wineserver|wineserver64'); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$p"
            return
        fi
    done
}

# PROFILE SILENT [ICONS]: with icons, the items start programs of the prefix, a page's apart.
profile() {
    local silent=$1 icons=${2:-0} i
    local programs=(notepad.exe regedit.exe winecfg.exe cmd.exe write.exe explorer.exe wordpad.exe)
    {
        printf '[Env]\r\nSilent=%s\r\n' "$silent"
        ((icons)) && printf 'ShowIcons=1\r\n'
        printf '[Menu]\r\n'
        for ((i = 0; i < 16; i++)); do printf 'MenuItem%d=Item %d\r\n' "$i" "$i"; done
        if ((icons)); then
            printf '[Exec]\r\n'
            for ((i = 0; i < 16; i++)); do printf 'ExecItem%d=%s\r\n' "$i" "${programs[i % 7]}"; done
        fi
    } >"$ZEL_PROFILE"
}

# The Windows process of a program of this prefix. Wine's loader hands a 32-bit program to
# start.exe, which starts it as a process of its own: the launcher's pid is not the program's.
program_pid() {
    local exe=$1 p
    for p in $(pgrep -f -- "$exe"); do
        # Wine pads the rewritten command line.
        [[ $(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | sed 's/ *$//') == *[/\\]"$exe" ]] || continue
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        echo "$p"
        return
    done
}

# Starts a program in the background and waits for its window; sets started_pid to its process.
start_program() {
    local tree=$1 exe=$2 class=$3
    "$ZEL_WINE" "$tree/$exe" >/dev/null 2>&1 &
    launcher_pid=$!
    "$ZEL_WINE" "$tree/probe.exe" wait "$class" >/dev/null 2>&1 || zel_log "warning: no $class window"
    started_pid=$(program_pid "$exe")
    [[ -n $started_pid ]] || { zel_log "error: no process of $exe"; exit 1; }
}

stop_program() {
    local i
    kill "$started_pid" 2>/dev/null || true
    wait "$launcher_pid" 2>/dev/null || true
    # Gone before the next start: a bar still holding the hotkey would have the next one
    # show its box, and a page turn under a box is only deferred.
    for ((i = 0; i < 100; i++)); do
        [[ -d /proc/$started_pid ]] || return 0
        sleep 0.1
    done
    kill -9 "$started_pid" 2>/dev/null || true
}

# Idle figures of a started program, the pointer standing still: "CPU% SWITCHES/S".
idle_figures() {
    local pid=$1 server a b s1 s2 c1 c2
    server=$(server_pid)
    sleep "$settle"
    a=$(jiffies "$pid"); s1=$(jiffies "$server"); c1=$(switches "$pid")
    sleep "$seconds"
    b=$(jiffies "$pid"); s2=$(jiffies "$server"); c2=$(switches "$pid")
    awk -v d=$((b - a + s2 - s1)) -v c=$((c2 - c1)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "%.2f %.1f\n", 100 * d / hz / s, c / s }'
}

# "median worst" from a probe or slide_latency line (of the named figure, when given).
median_worst() {
    awk -v name="${1:-}" 'name == "" || $1 == name {for (i = 1; i < NF; i++) { if ($i == "median") m = $(i + 1); if ($i == "worst") w = $(i + 1) }} END { if (m == "") print "- -"; else print m, w }'
}

declare -A fig
measure_tree() {
    local tree=$1 t=$2 pid out
    xdotool mousemove 512 384 2>/dev/null || true

    # Idle, auto-hide off and on, beside the minimal window.
    start_program "$tree" minimal_window.exe ZelMinimalWindow
    pid=$started_pid
    read -r fig[$t,min,cpu] fig[$t,min,cs] < <(idle_figures "$pid")
    fig[$t,min,rss]=$(rss_kb "$pid")
    stop_program
    for silent in 0 1; do
        profile "$silent"
        start_program "$tree" ZEL32.EXE ZelLauncherBar
        pid=$started_pid
        read -r fig[$t,bar,cpu$silent] fig[$t,bar,cs$silent] < <(idle_figures "$pid")
        stop_program
    done

    # Slide-out, auto-hide on.
    profile 1
    start_program "$tree" ZEL32.EXE ZelLauncherBar
    pid=$started_pid
    out=$("$ZEL_WINE" "$tree/slide_latency.exe" "${ZEL_BENCH_RUNS:-20}" 2>/dev/null || true)
    read -r fig[$t,first,med] fig[$t,first,worst] < <(median_worst first <<<"$out")
    read -r fig[$t,slide,med] fig[$t,slide,worst] < <(median_worst full <<<"$out")
    read -r fig[$t,jump,med] fig[$t,jump,worst] < <(median_worst jump <<<"$out")
    read -r fig[$t,anim,med] fig[$t,anim,worst] < <(median_worst floor <<<"$out")
    stop_program

    # Start to the window shown, each the median of 10 starts after one to warm up.
    profile 0
    out=$("$ZEL_WINE" "$tree/probe.exe" start "$(winepath -w "$tree/ZEL32.EXE" 2>/dev/null)" ZelLauncherBar "${ZEL_BENCH_STARTS:-10}" 2>/dev/null || true)
    read -r fig[$t,bar,start] fig[$t,bar,startw] < <(median_worst <<<"$out")
    out=$("$ZEL_WINE" "$tree/probe.exe" start "$(winepath -w "$tree/minimal_window.exe" 2>/dev/null)" ZelMinimalWindow "${ZEL_BENCH_STARTS:-10}" 2>/dev/null || true)
    read -r fig[$t,min,start] fig[$t,min,startw] < <(median_worst <<<"$out")

    # Working set after start and after 1,000 relayouts; the relayout time is their median. The
    # pointer away from the bar, as after a click on NEXT (which takes a shown tip away).
    xdotool mousemove 512 384 2>/dev/null || true
    start_program "$tree" ZEL32.EXE ZelLauncherBar
    pid=$started_pid
    sleep "$settle"
    fig[$t,bar,rss]=$(rss_kb "$pid")
    out=$("$ZEL_WINE" "$tree/probe.exe" relayout ZelLauncherBar 1000 2>/dev/null || true)
    read -r fig[$t,relayout,med] fig[$t,relayout,worst] < <(median_worst <<<"$out")
    sleep 1
    fig[$t,bar,rss1000]=$(rss_kb "$pid")
    stop_program
    # The same with each program's icon on its button.
    profile 0 1
    start_program "$tree" ZEL32.EXE ZelLauncherBar
    sleep "$settle"
    out=$("$ZEL_WINE" "$tree/probe.exe" relayout ZelLauncherBar 1000 2>/dev/null || true)
    read -r fig[$t,icons,med] fig[$t,icons,worst] < <(median_worst <<<"$out")
    stop_program
    # The page turn's floor: the minimal window making and painting the same controls.
    start_program "$tree" minimal_window.exe ZelMinimalWindow
    out=$("$ZEL_WINE" "$tree/probe.exe" relayout ZelMinimalWindow 1000 2>/dev/null || true)
    read -r fig[$t,min,relayout] fig[$t,min,relayoutw] < <(median_worst <<<"$out")
    stop_program

    fig[$t,bar,size]=$(stat -L -c %s "$tree/ZEL32.EXE")
    fig[$t,min,size]=$(stat -L -c %s "$tree/minimal_window.exe")
}

names=()
for tree in "${trees[@]}"; do
    name=$(basename "$tree")
    zel_log "measuring $tree"
    measure_tree "$tree" "$name"
    names+=("$name")
done

kb() { awk -v b="$1" 'BEGIN { printf "%.0f KB", b / 1024 }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
pct() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%+.2f%%", 100 * (a - b) / b; else print "-" }'; }

{
    printf '| figure | target |'
    for n in "${names[@]}"; do printf ' ZEL32 (%s) | minimal window (%s) |' "$n" "$n"; done
    printf '\n| --- | --- |'
    for n in "${names[@]}"; do printf ' ---: | ---: |'; done
    printf '\n'
    row() {
        local label=$1 target=$2 bar=$3 min=$4 n
        printf '| %s | %s |' "$label" "$target"
        for n in "${names[@]}"; do printf ' %s | %s |' "$(eval "echo $bar")" "$(eval "echo $min")"; done
        printf '\n'
    }
    row "idle CPU, auto-hide off, % of one core (program + wineserver, ${seconds} s)" "floor + 0.0" \
        '${fig[$n,bar,cpu0]}' '${fig[$n,min,cpu]}'
    row "idle CPU, auto-hide on, pointer resting >= 100 px from the band, % of one core" "floor + 0.1" \
        '${fig[$n,bar,cpu1]}' '${fig[$n,min,cpu]}'
    row "wake-ups idle, auto-hide off, context switches/s" "minimal + 1" '${fig[$n,bar,cs0]}' '${fig[$n,min,cs]}'
    row "wake-ups idle, auto-hide on, pointer resting, context switches/s" "<= 15" '${fig[$n,bar,cs1]}' \
        '${fig[$n,min,cs]}'
    row "slide-out at a hand's speed, band entry to first move, median / worst of ${ZEL_BENCH_RUNS:-20}, ms" \
        "median <= 5" '"${fig[$n,first,med]} / ${fig[$n,first,worst]}"' '"-"'
    row "slide-out, band entry to full bar, median / worst; floor: the nine moves alone, ms" "<= floor + 5" \
        '"${fig[$n,slide,med]} / ${fig[$n,slide,worst]}"' '"${fig[$n,anim,med]} / ${fig[$n,anim,worst]}"'
    row "slide-out after a jump into the band (pen, touch), median / worst, ms" "worst <= 100" \
        '"${fig[$n,jump,med]} / ${fig[$n,jump,worst]}"' '"-"'
    row "start to window shown, median / worst of ${ZEL_BENCH_STARTS:-10}, ms" "<= 1.2 x minimal" \
        '"${fig[$n,bar,start]} / ${fig[$n,bar,startw]}"' '"${fig[$n,min,start]} / ${fig[$n,min,startw]}"'
    row "page turn (NEXT or BEFORE) to the new buttons painted, median / worst of 1,000; floor: the same controls made and painted, ms" \
        "<= 1.2 x floor, median <= 16" '"${fig[$n,relayout,med]} / ${fig[$n,relayout,worst]}"' \
        '"${fig[$n,min,relayout]} / ${fig[$n,min,relayoutw]}"'
    row "page turn with icons on, median / worst of 1,000, ms" "<= 1.2 x floor" \
        '"${fig[$n,icons,med]} / ${fig[$n,icons,worst]}"' '"${fig[$n,min,relayout]} / ${fig[$n,min,relayoutw]}"'
    row "working set after start (VmRSS)" "-" '$(mb "${fig[$n,bar,rss]}")' '$(mb "${fig[$n,min,rss]}")'
    row "working set after 1,000 relayouts (change)" "within 1%" \
        '"$(mb "${fig[$n,bar,rss1000]}") ($(pct "${fig[$n,bar,rss1000]}" "${fig[$n,bar,rss]}"))"' '"-"'
    row "size on disk" "<= 300 KB" '$(kb "${fig[$n,bar,size]}")' '$(kb "${fig[$n,min,size]}")'
}
printf '\nmachine: %s cores, %s; %s\n' "$(nproc)" \
    "$(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo)" "$(wine --version 2>/dev/null || echo Wine)"
