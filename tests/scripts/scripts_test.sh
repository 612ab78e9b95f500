#!/usr/bin/env bash
# The set-up and run scripts' own faults: the mirror look-up with missing source lists, two
# runs sharing a build folder, and two Xvfb servers started at once.
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

echo "scripts: $passed passed, $failed failed"
(( failed == 0 ))
