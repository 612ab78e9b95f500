#!/usr/bin/env bash
# The release as a Windows user takes it: the zip is built and unpacked, ZEL32.EXE is started
# from the unpacked folder in a new Wine prefix, where README.TXT says the sample profile beside
# it is the one used, the first item is clicked with the real pointer, and its program appears.
# Usage: release_test.sh BUILD_TREE   (the i686 tree; needs DISPLAY, as scripts/test.sh sets it)
set -euo pipefail

tree=$(cd "${1:?usage: $0 BUILD_TREE}" && pwd)
version=1.00
zip=$tree/ZEL32-$version.zip
work=$tree/release-test
prefix=$tree/release-prefix
log=$work/wine.log

fail() {
    echo "FAIL: $*" >&2
    if [[ -n ${DISPLAY:-} ]]; then
        import -display "$DISPLAY" -window root "$work/failure.png" 2>/dev/null &&
            echo "screen: $work/failure.png" >&2
    fi
    [[ -f $log ]] && tail -n 20 "$log" >&2
    exit 1
}
[[ -n ${DISPLAY:-} ]] || fail "no DISPLAY (run it through scripts/test.sh or on a display)"

# As scripts/env.sh, but a prefix of its own: the user's machine, not the tests' prefix.
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ -z ${ZEL_WINE:-} ]]; then
    if [[ -x /usr/lib/wine/wine64 ]]; then ZEL_WINE=/usr/lib/wine/wine64; else ZEL_WINE=wine; fi
fi
# Only this prefix's server: the tests' own prefix keeps running.
stop_prefix() {
    if [[ -d $prefix ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
}
trap stop_prefix EXIT

t_start=$SECONDS
stop_prefix
rm -rf "$work" "$prefix"
mkdir -p "$work"

# The zip, made by the command the README names.
rm -f "$zip"
cmake --build "$tree" --target package >"$work/package.log" 2>&1 ||
    { tail -n 20 "$work/package.log" >&2; fail "the package target failed"; }
[[ -f $zip ]] || fail "no $zip"

# What it holds, and the form Windows needs of each file.
python3 - "$zip" "$version" "$work/unpacked" <<'EOF' || fail "the zip's contents"
import struct, sys, zipfile
path, version, out = sys.argv[1:]
top = "ZEL32-%s/" % version
files = ("ZEL32.EXE", "ZEL32.HTM", "ZEL32BAR.PNG", "ZEL32MENU.PNG", "ZEL32.INI", "README.TXT")
want = {top + n for n in files}
z = zipfile.ZipFile(path)
names = {n for n in z.namelist() if not n.endswith("/")}
print("zip:", " ".join(sorted(names)))
problems = []
if names != want:
    problems.append("files %s, want %s" % (sorted(names), sorted(want)))
else:
    exe = z.read(top + "ZEL32.EXE")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<H", exe, pe + 4)[0] != 0x14C:
        problems.append("ZEL32.EXE is not a 32-bit (i386) program")
    for name, musts in (("ZEL32.INI", ["[Menu]", "MenuItem0=メモ帳", "[Exec]", "ExecItem0=notepad.exe"]),
                        # The folder and files it names, the older versions' profile and its
                        # virtualised copy, the start with Windows.
                        ("README.TXT", [top[:-1], *files, "C:\\Windows\\ZEL32.INI",
                                        "VirtualStore\\Windows\\ZEL32.INI", "shell:startup"])):
        data = z.read(top + name)
        if data.count(b"\n") == 0 or data.count(b"\n") != data.count(b"\r\n"):
            problems.append("%s: line ends are not all CRLF" % name)
        try:
            text = data.decode("cp932")
        except UnicodeDecodeError as e:
            problems.append("%s: not code page 932 (%s)" % (name, e))
            continue
        problems += ["%s: lacks %r" % (name, m) for m in musts if m not in text]
    z.extractall(out)
for p in problems:
    print(p, file=sys.stderr)
sys.exit(1 if problems else 0)
EOF
dir=$work/unpacked/ZEL32-$version

# A new prefix, as on a machine that never ran ZEL32. Without a window manager Wine
# waits about 2 s on each close of a managed window; Managed=N removes the wait.
t_boot=$SECONDS
"$ZEL_WINE" wineboot -i </dev/null >>"$log" 2>&1 || fail "wineboot could not make $prefix"
"$ZEL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >>"$log" 2>&1 ||
    fail "could not set Managed=N"
boot_seconds=$((SECONDS - t_boot))

# README.TXT: nothing to copy; the sample ZEL32.INI beside ZEL32.EXE is the profile, and the
# Windows folder holds none.
windows=$prefix/drive_c/windows
[[ -d $windows && ! -e $windows/ZEL32.INI ]] || fail "the prefix has no $windows, or a ZEL32.INI in it"

(cd "$dir" && exec "$ZEL_WINE" ZEL32.EXE) </dev/null >>"$log" 2>&1 &
bar_pid=$!

bar=
for ((i = 0; i < 600; i++)); do
    bar=$(xdotool search --onlyvisible --name 'ZEL32\.EXE Ver1\.00' 2>/dev/null | head -n1 || true)
    [[ -n $bar ]] && break
    kill -0 "$bar_pid" 2>/dev/null || fail "ZEL32.EXE ended before its bar appeared"
    sleep 0.2
done
[[ -n $bar ]] || fail "no bar within 120 s"
eval "$(xdotool getwindowgeometry --shell "$bar")"
read -r _ screen_h < <(xdotool getdisplaygeometry)
# The sample leaves the edge to the default: the bottom, 19 pixels high.
[[ $HEIGHT == 19 && $((Y + HEIGHT)) == "$screen_h" ]] ||
    fail "bar at y $Y, $WIDTH x $HEIGHT; want 19 high at the bottom of a $screen_h-pixel screen"

notepad='メモ帳|Notepad'
before=$(xdotool search --onlyvisible --name "$notepad" 2>/dev/null | sort || true)
# Item 0 is the first launch button; it starts where SYSMENU (19 pixels) ends.
sleep 0.5
xdotool mousemove --sync $((X + 19 + 20)) $((Y + 9)) click 1
started=
for ((i = 0; i < 300; i++)); do
    started=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name "$notepad" 2>/dev/null | sort) || true)
    [[ -n $started ]] && break
    sleep 0.2
done
[[ -n $started ]] || fail "no Notepad window within 60 s of the click on item 0"
echo "started: $(xdotool getwindowname "$(head -n1 <<<"$started")")"

# Closed as the system closes it (WM_CLOSE), the bar ends with code 0.
"$ZEL_WINE" taskkill /im ZEL32.EXE </dev/null >>"$log" 2>&1 || true
rc=
for ((i = 0; i < 100; i++)); do
    if ! kill -0 "$bar_pid" 2>/dev/null; then
        rc=0
        wait "$bar_pid" || rc=$?
        break
    fi
    sleep 0.1
done
[[ $rc == 0 ]] || fail "the bar did not end with code 0 within 10 s of WM_CLOSE (status '${rc:-running}')"

stop_prefix
rm -rf "$prefix"
echo "release test: new prefix in $boot_seconds s, whole test in $((SECONDS - t_start)) s"
