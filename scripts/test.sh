#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (with sanitizers) and the
# 32-bit and 64-bit Windows builds under Wine. Ends with "tests: N passed, M failed" and
# a non-zero exit status if any test or build failed; a failed build counts as one failure.
# The Windows tests run in a Wine prefix of their own, $BUILD/test-prefix, never the user's.
# Usage: scripts/test.sh [host] [i686] [x86_64]   (default: all three)
set -euo pipefail

# shellcheck source=scripts/env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
zel_use_prefix test
zel_lock_build

trees=("$@")
(( ${#trees[@]} )) || trees=(host i686 x86_64)
for t in "${trees[@]}"; do
    case $t in
        host | i686 | x86_64) ;;
        *) zel_log "usage: $0 [host] [i686] [x86_64]"; exit 2 ;;
    esac
done

bash "$ROOT/scripts/setup.sh"

zel_trap_exit

passed=0
failed=0
problems=()
declare -A built

for t in "${trees[@]}"; do
    dir=$BUILD/$t
    if [[ $t == host ]]; then
        args=(-DZEL_SANITIZE=ON)
    else
        args=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$t-w64-mingw32.cmake"
            -DCMAKE_BUILD_TYPE=Release -DZEL_WERROR=ON)
    fi
    zel_log "=== configure and build: $t ($dir)"
    if ! cmake -S "$ROOT" -B "$dir" "${args[@]}"; then
        zel_log "error: configuring $t failed"
        problems+=("$t: configure failed")
        failed=$((failed + 1))
        built[$t]=none
        continue
    fi
    if cmake --build "$dir" -j2; then
        built[$t]=all
    else
        # Still run what was built; tests whose programs are missing fail in CTest.
        zel_log "error: building $t failed"
        problems+=("$t: build failed")
        failed=$((failed + 1))
        built[$t]=part
    fi
done

wine_ready=0
start_wine() {
    (( wine_ready )) && return 0
    zel_start_display && zel_prefix && zel_start_wineserver || return 1
    wine_ready=1
}

# Adds one tree's CTest results to the totals, read from its summary line.
count_results() {
    local log=$1 rc=$2 line total nfailed
    line=$(grep -E '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)
    if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        nfailed=${BASH_REMATCH[1]}
        total=${BASH_REMATCH[2]}
        passed=$((passed + total - nfailed))
        failed=$((failed + nfailed))
        (( rc == 0 || nfailed > 0 )) && return 0
    elif grep -q 'No tests were found' "$log" && (( rc == 0 )); then
        return 0
    fi
    # CTest itself failed or printed no summary.
    failed=$((failed + 1))
    return 1
}

for t in "${trees[@]}"; do
    [[ ${built[$t]} == none ]] && continue
    dir=$BUILD/$t
    log=$dir/ctest.log
    args=(--test-dir "$dir" --output-on-failure --timeout 300)
    if [[ $t == host ]]; then
        args+=(-j2)
    else
        args+=(-j1)
        if ! start_wine; then
            zel_log "error: could not start the display, the Wine prefix or the wineserver"
            problems+=("$t: Wine could not be started")
            failed=$((failed + 1))
            continue
        fi
    fi
    zel_log "=== tests: $t"
    rc=0
    ctest "${args[@]}" 2>&1 | tee "$log" || rc=${PIPESTATUS[0]}
    if ! count_results "$log" "$rc"; then
        problems+=("$t: ctest failed (exit status $rc) without a summary")
    fi
done

zel_stop_all

for p in ${problems[@]+"${problems[@]}"}; do
    zel_log "problem: $p"
done
echo "tests: $passed passed, $failed failed"
if (( failed > 0 || ${#problems[@]} > 0 )); then
    exit 1
fi
