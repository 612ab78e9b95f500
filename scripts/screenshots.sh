#!/usr/bin/env bash
# Makes the README's pictures in docs/ from real runs of the 32-bit ZEL32.EXE on its own Xvfb,
# with the sample profile so the bar shows items, driven by the real pointer and keyboard:
#   screenshot.png    the whole screen with the bar
#   bar.png           the bar at twice its size, its left half above its right half
#   menu.png          the command menu opened from SYSMENU
#   item_menu.png     the first item's own menu, opened by a right click
#   item_editor.png   the item editor, settings.png the settings dialog, about.png the about box
#   bar144.png        the bar at 144 DPI, its left half above its right half
# It works in a Wine prefix of its own, $BUILD/screenshots-prefix, so no one's ZEL32.INI is
# touched: the sample profile is simply that prefix's.
# Usage: scripts/screenshots.sh [OUTPUT_DIR]   (default: docs)
set -euo pipefail

# shellcheck source=scripts/env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
zel_use_prefix screenshots
zel_lock_build

out=$(mkdir -p "${1:-$ROOT/docs}" && cd "${1:-$ROOT/docs}" && pwd)
BAR_TITLE=" ZEL32.EXE Ver1.00"
# A dialog template's caption, as the .rc file (UTF-8) gives it.
dialog_caption() {
    awk -v id="$1" '
        $1 == id && $2 ~ /^DIALOG/ { inside = 1; next }
        inside && $1 == "CAPTION" { sub(/^[^"]*"/, ""); sub(/"[^"]*$/, ""); print; exit }
        inside && $1 == "BEGIN" { exit }
    ' "$ROOT/src/resources/zel32.rc"
}
ABOUT_TITLE=$(dialog_caption 104)
EDITOR_TITLE=$(dialog_caption 106)
SETTINGS_TITLE=$(dialog_caption 109)
for t in "$ABOUT_TITLE" "$EDITOR_TITLE" "$SETTINGS_TITLE"; do
    [[ -n $t ]] || { zel_log "error: a dialog caption is missing from src/resources/zel32.rc"; exit 1; }
done
# How many Down keys reach each command in the command menu (the separators are skipped).
SETTINGS_DOWNS=4
EDITOR_DOWNS=5
ABOUT_DOWNS=6

bash "$ROOT/scripts/setup.sh"

zel_trap_exit

zel_build_program || exit 1
[[ -f $ZEL_SAMPLE_PROFILE ]] || { zel_log "error: the build made no sample profile $ZEL_SAMPLE_PROFILE"; exit 1; }

# Always a display of its own, of a known size, with nothing else on it.
unset DISPLAY
zel_start_display
zel_prefix
cp "$ZEL_SAMPLE_PROFILE" "$ZEL_PROFILE"
zel_start_wineserver

work=$(mktemp -d)
trap 'zel_stop_all; rm -rf "$work"' EXIT

# Small PNGs: no metadata, and a palette where the colours fit in one.
save_png() {
    local colours
    colours=$(identify -format '%k' "$1")
    if (( colours <= 256 )); then
        convert "$1" -strip -define png:compression-level=9 "PNG8:$2"
    else
        convert "$1" -strip -define png:compression-level=9 "$2"
    fi
}

shoot_root() { import -display "$DISPLAY" -window root "$1"; }

window_gone() {
    local title=$1 i
    for ((i = 0; i < 50; i++)); do
        xdotool search --onlyvisible --name "^${title//./\\.}\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    zel_log "error: the window \"$title\" did not close"
    return 1
}

# Starts the bar and waits until it stands: bar_pid, bar, and its X, Y, WIDTH and HEIGHT.
start_bar() {
    zel_wine ZEL32.EXE >/dev/null 2>&1 &
    bar_pid=$!
    bar=$(zel_wait_window "$BAR_TITLE" "$bar_pid" "${ZEL_WINDOW_TIMEOUT:-30}") || exit 1
    # The pointer away from the bar, so no button is drawn pressed or hot.
    xdotool mousemove 512 384
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$bar")"
}

cd "$BUILD/i686"
start_bar
bar_x=$X bar_y=$Y bar_w=$WIDTH bar_h=$HEIGHT

shoot_root "$work/screen.png"
save_png "$work/screen.png" "$out/screenshot.png"

# The bar at twice its size; its two halves one above the other keep the picture 1024 wide.
half=$((bar_w / 2))
convert "$work/screen.png" -crop "${bar_w}x${bar_h}+${bar_x}+${bar_y}" +repage -scale 200% "$work/bar2x.png"
convert "$work/bar2x.png" -crop "$((half * 2))x$((bar_h * 2))+0+0" +repage \
    \( -size "$((half * 2))x8" xc:white \) \
    \( "$work/bar2x.png" -crop "$((bar_w * 2 - half * 2))x$((bar_h * 2))+$((half * 2))+0" +repage \) \
    -append "$work/bar.png"
save_png "$work/bar.png" "$out/bar.png"

# Clicks SYSMENU at the bar's left end and waits for the menu: the largest visible window
# besides the bar and the root window (which xdotool lists too). The pointer then moves to
# the empty middle of the screen, so that no tooltip of SYSMENU covers the menu.
root=$(( $(xwininfo -root | awk '/Window id:/ { print $4; exit }') ))
# Another bar x and mouse button (3) open a launch button's own menu.
open_menu() {
    local i w id area best x=${1:-$((bar_x + 8))} button=${2:-1}
    xdotool mousemove "$x" "$((bar_y + bar_h / 2))" click "$button" mousemove 512 384
    for ((i = 0; i < 50; i++)); do
        sleep 0.2
        id="" best=0
        for w in $(xdotool search --onlyvisible --class '' 2>/dev/null); do
            [[ $w == "$bar" || $w == "$root" ]] && continue
            eval "$(xdotool getwindowgeometry --shell "$w")"
            area=$((WIDTH * HEIGHT))
            ((area > best)) && { best=$area; id=$w; }
        done
        [[ -n $id ]] && { printf '%s\n' "$id"; return 0; }
    done
    zel_log "error: no menu appeared after a click on SYSMENU"
    return 1
}

# A menu and the bar's left end, where it was opened, saved as the file.
shoot_menu() {
    local file=$1 menu
    menu=$(open_menu "${@:2}") || return 1
    sleep 0.5
    shoot_root "$work/menu.png"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    local mx=$X my=$Y mw=$WIDTH mh=$HEIGHT margin=12 left top right bottom
    left=$((bar_x)); top=$(( (my < bar_y ? my : bar_y) - margin )); ((top < 0)) && top=0
    right=$((mx + mw + margin)); bottom=$(( (my + mh > bar_y + bar_h ? my + mh : bar_y + bar_h) + margin ))
    ((bottom > 768)) && bottom=768
    convert "$work/menu.png" -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$work/menu-crop.png"
    save_png "$work/menu-crop.png" "$out/$file"
    xdotool key Escape
}

shoot_menu menu.png || exit 1
sleep 0.6 # the next click on the bar is no double click
# The first item's own menu, from a right click on it.
shoot_menu item_menu.png "$((bar_x + 60))" 3 || exit 1

# Opens a command from the menu with the keyboard, saves its dialog and cancels it.
shoot_dialog() {
    local downs=$1 title=$2 file=$3 id i keys=()
    for ((i = 0; i < downs; i++)); do keys+=(Down); done
    open_menu >/dev/null || return 1
    xdotool key "${keys[@]}" Return
    id=$(zel_wait_window "$title" "$bar_pid" 15) || return 1
    sleep 0.7
    import -display "$DISPLAY" -window "$id" "$work/dialog.png"
    save_png "$work/dialog.png" "$out/$file"
    xdotool key Escape
    window_gone "$title"
}

shoot_dialog "$EDITOR_DOWNS" "$EDITOR_TITLE" item_editor.png || exit 1
shoot_dialog "$SETTINGS_DOWNS" "$SETTINGS_TITLE" settings.png || exit 1
shoot_dialog "$ABOUT_DOWNS" "$ABOUT_TITLE" about.png || exit 1

zel_close_bar "$bar_pid"

# The bar at 144 DPI (150 % scaling): the prefix's system DPI for one start, then 96 again.
set_dpi() { zel_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; }
set_dpi 144
trap 'set_dpi 96; zel_stop_all; rm -rf "$work"' EXIT
start_bar
shoot_root "$work/screen144.png"
half=$((WIDTH / 2))
# Its left half above its right half, at the size the screen shows it.
convert "$work/screen144.png" -crop "${half}x${HEIGHT}+${X}+${Y}" +repage \
    \( -size "${half}x8" xc:white \) \
    \( "$work/screen144.png" -crop "$((WIDTH - half))x${HEIGHT}+$((X + half))+${Y}" +repage \) \
    -append "$work/bar144.png"
save_png "$work/bar144.png" "$out/bar144.png"
zel_close_bar "$bar_pid"
set_dpi 96

for f in screenshot bar menu item_menu item_editor settings about bar144; do
    echo "$out/$f.png"
done
