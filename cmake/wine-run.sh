#!/usr/bin/env bash
# CTest's emulator for the MinGW builds: runs a Windows program (path first, then its
# arguments) under Wine and ends with its exit code. The caller normally exports the
# environment of scripts/env.sh; without it, that file is sourced so that the tests' own
# prefix is used, rather than ~/.wine or the prefix of the user's bar.
set -u
if [[ -z ${WINEPREFIX:-} ]]; then
    # shellcheck source=scripts/env.sh
    source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh" || exit 125
    zel_use_prefix test && zel_prefix || exit 125
fi
if [[ $# -lt 1 ]]; then
    echo "usage: $0 PROGRAM.EXE [ARGS...]" >&2
    exit 125
fi
if [[ -z ${ZEL_WINE:-} ]]; then
    # As in env.sh: the 64-bit loader starts either kind of program.
    if [[ -x /usr/lib/wine/wine64 ]]; then ZEL_WINE=/usr/lib/wine/wine64; else ZEL_WINE=wine; fi
fi
exec "$ZEL_WINE" "$@"
