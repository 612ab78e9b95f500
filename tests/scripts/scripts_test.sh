#!/usr/bin/env bash
# The set-up and run scripts' own faults: the mirror look-up with missing source lists, two
# runs sharing a build folder, two Xvfb servers started at once, and scripts that touch the
# profile of the user's bar.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0
check() { # name expected actual
    if [[ $2 == "$3" ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1: want [$2] got [$3]"; fi
}

# 1. The mirror: under set -euo pipefail, whatever files exist.
mirror() { # deb822-file one-line-file
    DEBIAN_SOURCES=$1 SOURCES_LIST=$2 bash -euo pipefail -c 'source "$0"; bookworm_mirror' "$ROOT/scripts/mirror.sh"
}
printf 'Types: deb\nURIs: http://sec.example/debian-security\nSuites: bookworm-security\n\nTypes: deb\nURIs: http://off.example/debian\nSuites: bookworm\nEnabled: no\n\nTypes: deb\nURIs: http://a.example/debian\nSuites: bookworm bookworm-updates\n' >"$tmp/debian.sources"
printf '# deb http://old.example/debian bookworm main\ndeb [arch=amd64 signed-by=/k.gpg] http://b.example/debian bookworm main\n' >"$tmp/sources.list"
printf 'Types: deb\nURIs: http://c.example/debian\nSuites: trixie' >"$tmp/other.sources"
check "deb822 list" "http://a.example/debian" "$(mirror "$tmp/debian.sources" "$tmp/none")"
check "one-line list" "http://b.example/debian" "$(mirror "$tmp/none" "$tmp/sources.list")"
check "no bookworm in deb822, one-line list" "http://b.example/debian" "$(mirror "$tmp/other.sources" "$tmp/sources.list")"
check "neither file" "" "$(mirror "$tmp/none" "$tmp/none2")"
check "neither file: status" "0" "$(mirror "$tmp/none" "$tmp/none2" >/dev/null; echo $?)"

# 2. Two runs with one build folder: the second waits for the first.
run_locked() { # label
    BUILD=$tmp/build bash -c 'source "$0/scripts/env.sh"; zel_lock_build || exit 1
        echo "$1 start $(date +%s%N)"; sleep 1; echo "$1 end $(date +%s%N)"' "$ROOT" "$1" 2>/dev/null
}
run_locked A >"$tmp/a" &
run_locked B >"$tmp/b" &
wait
read -r _ _ a0 <"$tmp/a"; a1=$(sed -n 2p "$tmp/a" | cut -d' ' -f3)
read -r _ _ b0 <"$tmp/b"; b1=$(sed -n 2p "$tmp/b" | cut -d' ' -f3)
overlap=no
if [[ -z $a0 || -z $b0 ]] || (( a0 < b1 && b0 < a1 )); then overlap=yes; fi
check "runs with one build folder overlap" "no" "$overlap"

# 3. Two displays started at once: each its own server.
start_display() { # folder
    mkdir -p "$1"
    BUILD=$1 bash -c 'unset DISPLAY; source "$0/scripts/env.sh"; zel_start_display || exit 1
        echo "$DISPLAY $ZEL_XVFB_PID"; xdpyinfo >/dev/null 2>&1 && echo reachable' "$ROOT"
}
start_display "$tmp/x1" >"$tmp/d1" &
start_display "$tmp/x2" >"$tmp/d2" &
wait
read -r d1 p1 <"$tmp/d1"
read -r d2 p2 <"$tmp/d2"
kill "${p1:-0}" "${p2:-0}" 2>/dev/null
check "first display reachable" "reachable" "$(sed -n 2p "$tmp/d1")"
check "second display reachable" "reachable" "$(sed -n 2p "$tmp/d2")"
same=yes
[[ -n ${d1:-} && ${d1:-} != "${d2:-}" ]] && same=no
check "two runs share a display" "no" "$same"

# 4. Only the user's bar meets the user's ZEL32.INI. The README's two commands and the pictures
# script run for real, with stand-ins for the set-up, the build, CTest, X and Wine.
b=$tmp/b4 root=$tmp/root bin=$tmp/bin
mkdir -p "$b/i686/sample" "$root/cmake" "$bin"
cp -r "$ROOT/scripts" "$root/" && cp "$ROOT/cmake/wine-run.sh" "$root/cmake/" && ln -s "$ROOT/src" "$root/src"
echo : >"$root/scripts/setup.sh" && touch "$b/i686/ZEL32.EXE"
sample=$b/i686/sample/ZEL32.INI user_ini=$b/wineprefix/drive_c/windows/ZEL32.INI
printf '[Menu]\r\nMenuItem0=sample\r\n' >"$sample"
stub() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$bin/$1" && chmod +x "$bin/$1"; }
# shellcheck disable=SC2016 # the stand-ins' own variables
{
    stub cmake '[[ -z ${STUB_BUILD_FAILS:-} ]]'
    stub wineserver :
    stub Xvfb 'echo 99 >&3; exec sleep 30'
    stub xdotool 'exit 1'
    # CTest runs a Windows test through the runner, as test.sh starts it and as by hand.
    stub ctest 'bash "$ROOT/cmake/wine-run.sh" x_tests.exe; env -u WINEPREFIX bash "$ROOT/cmake/wine-run.sh" x_tests.exe
        echo "0 tests failed out of 2"'
    # wineboot makes a prefix's folders; a test program removes its prefix's profile, as one did.
    stub wine 'case $1 in
        wineboot) mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" ;;
        *tests.exe) echo "$WINEPREFIX" >>"$STUB_LOG"; rm -f "$WINEPREFIX/drive_c/windows/ZEL32.INI" ;;
    esac'
}
script() { # name [args]
    PATH=$bin:$PATH BUILD=$b ZEL_WINE=$bin/wine DISPLAY=:99 STUB_LOG=$tmp/tests.log \
        bash "$root/scripts/$1" "${@:2}" >/dev/null 2>>"$tmp/scripts.err"
}
user_ini_kept() { cmp -s "$sample" "$user_ini" && echo kept || echo changed; }
script run.sh
check "run.sh, first start: the sample in the user's prefix" kept "$(user_ini_kept)"
script test.sh i686
check "test.sh: the user's profile" kept "$(user_ini_kept)"
check "test.sh: where the tests ran" "$b/test-prefix $b/test-prefix" "$(paste -sd' ' "$tmp/tests.log")"
# A failed build, with a stale backup beside the prefix as earlier versions kept one.
echo stale >"$b/ZEL32.INI.before-screenshots"
STUB_BUILD_FAILS=1 script screenshots.sh "$tmp/docs"
check "screenshots.sh, build failed: the user's profile" kept "$(user_ini_kept)"
script screenshots.sh "$tmp/docs"
check "screenshots.sh: the sample in its own prefix" same \
    "$(cmp -s "$sample" "$b/screenshots-prefix/drive_c/windows/ZEL32.INI" && echo same)"
# A half-made user's prefix (no marks of a finished set-up) is made anew; the old one is kept.
rm "$b/wineprefix/.zel-booted" "$b/wineprefix/.zel-prefix"
script run.sh
check "half-made prefix: its profile kept" same "$(cmp -s "$sample" "$b"/wineprefix.*/drive_c/windows/ZEL32.INI && echo same)"
check "half-made prefix: said where it went" 1 "$(grep -c "moved it to $b/wineprefix\." "$tmp/scripts.err")"
check "scripts with #! are executable" "" "$(for f in "$ROOT"/scripts/*.sh; do
    [[ $(head -c2 "$f") == '#!' && ! -x $f ]] && echo "$f"; done)"

echo "scripts: $passed passed, $failed failed"
(( failed == 0 ))
