#!/usr/bin/env bash
# Installs what building and testing ZEL32 needs on Debian, as root.
# Idempotent: it only installs what is missing, so a second run is quick.
set -euo pipefail

say() { printf 'setup: %s\n' "$*" >&2; }
die() { say "error: $*"; exit 1; }

# fonts-wine is only recommended by wine, but without its Marlett font caption buttons,
# check marks and arrows are drawn as letters.
PACKAGES=(
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
    wine wine32:i386 wine64 fonts-wine
    xvfb xauth xdotool x11-utils libx11-dev
    fonts-ipafont-gothic locales imagemagick
    python3 cmake g++ libgtest-dev make
    clang libclang-rt-14-dev
)

export DEBIAN_FRONTEND=noninteractive
updated=0

need_root() {
    [[ $(id -u) -eq 0 ]] || die "$1 needs root; run this script as root (or install it by hand)"
}

apt_install() {
    need_root "installing $*"
    if (( ! updated )); then
        say "apt-get update"
        apt-get update -q >/dev/null || die "apt-get update failed"
        updated=1
    fi
    say "installing: $*"
    apt-get install -y -q --no-install-recommends "$@" || die "apt-get install $* failed"
}

is_installed() {
    [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) == installed ]]
}

# wine32 comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root "dpkg --add-architecture i386"
    say "adding the i386 architecture"
    dpkg --add-architecture i386
    updated=0  # the package lists must now include i386
fi

missing=()
for p in "${PACKAGES[@]}"; do
    is_installed "$p" || missing+=("$p")
done
if (( ${#missing[@]} )); then
    apt_install "${missing[@]}"
fi

# Wine needs the Japanese locale so the ANSI code page is 932.
if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
    need_root "generating the ja_JP.UTF-8 locale"
    say "generating the ja_JP.UTF-8 locale"
    if grep -qE '^#[[:space:]]*ja_JP\.UTF-8 UTF-8[[:space:]]*$' /etc/locale.gen; then
        sed -i -E 's/^#[[:space:]]*(ja_JP\.UTF-8 UTF-8)[[:space:]]*$/\1/' /etc/locale.gen
    elif ! grep -qE '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen >/dev/null || die "locale-gen failed"
fi

# The toolchain files use the posix thread model (GCC 12's win32 model has no std::mutex,
# which GoogleTest needs); the plain compiler names are pointed there too, so both agree.
for target in i686-w64-mingw32 x86_64-w64-mingw32; do
    for tool in gcc g++; do
        name=$target-$tool
        want=/usr/bin/$name-posix
        [[ -x $want ]] || die "$want is missing"
        if [[ $(readlink -f "/usr/bin/$name") != "$(readlink -f "$want")" ]]; then
            need_root "switching $name to the posix thread model"
            say "using the posix thread model for $name"
            update-alternatives --quiet --set "$name" "$want"
        fi
    done
done

# Some kernels (some virtual machines) cannot execute 32-bit x86 Linux programs, and then
# Wine's 32-bit loader, which every 32-bit Windows program needs, fails with "Exec format
# error". There qemu-user runs it, registered with binfmt_misc for i386 ELF files.
# It must be qemu 10 or newer: 7.2 (bookworm's own) ignores MAP_FIXED_NOREPLACE, so each
# 32-bit Wine start takes about a minute, or, with a reserved address space, puts the guest
# at an offset that breaks reading another process's memory (taskkill, EnumProcessModules).
QEMU=/usr/bin/qemu-i386
BINFMT=/proc/sys/fs/binfmt_misc
wine32_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
qemu_new_enough() {
    local major
    major=$("$QEMU" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p')
    [[ -n $major ]] && (( major >= 10 ))
}
# The mirror the machine already uses for bookworm (scripts/mirror.sh).
DEBIAN_SOURCES=${ZEL_DEBIAN_SOURCES:-/etc/apt/sources.list.d/debian.sources}
SOURCES_LIST=${ZEL_SOURCES_LIST:-/etc/apt/sources.list}
# shellcheck source=scripts/mirror.sh
source "$(dirname "${BASH_SOURCE[0]}")/mirror.sh"
install_qemu() {
    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [[ $codename == bookworm ]]; then
        local list=/etc/apt/sources.list.d/zel-bookworm-backports.sources
        if [[ ! -f $list ]] && ! grep -rqs 'bookworm-backports' "$SOURCES_LIST" /etc/apt/sources.list.d/; then
            need_root "adding bookworm-backports"
            say "adding bookworm-backports for a newer qemu-user"
            local mirror
            mirror=$(bookworm_mirror)
            [[ -n $mirror ]] ||
                die "no bookworm mirror found in $DEBIAN_SOURCES or $SOURCES_LIST to take bookworm-backports from"
            printf '%s\n' 'Types: deb' "URIs: $mirror" 'Suites: bookworm-backports' \
                'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$list"
            updated=0
        fi
        apt_install -t bookworm-backports qemu-user
    else
        apt_install qemu-user
    fi
}
# Our entry exists only where the native check failed before, so it also marks such a kernel.
if [[ -e $BINFMT/qemu-i386 ]] || ! wine32_runs; then
    qemu_new_enough || install_qemu
    qemu_new_enough || die "$QEMU is missing or older than version 10"
    if [[ ! -e $BINFMT/register ]]; then
        need_root "mounting binfmt_misc"
        mount -t binfmt_misc binfmt_misc "$BINFMT" || die "cannot mount binfmt_misc"
    fi
    if [[ -e $BINFMT/qemu-i386 ]] && ! grep -qx "interpreter $QEMU" "$BINFMT/qemu-i386"; then
        need_root "replacing the qemu-i386 binfmt_misc entry"
        echo -1 >"$BINFMT/qemu-i386"
    fi
    if [[ ! -e $BINFMT/qemu-i386 ]]; then
        need_root "registering qemu-i386 with binfmt_misc"
        say "registering $QEMU for 32-bit programs"
        # F: the interpreter is opened now; P: argv[0] is kept as Wine expects.
        printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$QEMU:FP" \
            >"$BINFMT/register" || die "cannot register qemu-i386 with binfmt_misc"
    elif [[ $(head -n1 "$BINFMT/qemu-i386") != enabled ]]; then
        need_root "enabling the qemu-i386 binfmt_misc entry"
        echo 1 >"$BINFMT/qemu-i386"
    fi
    wine32_runs || die "32-bit Wine still cannot run (/usr/lib/wine/wine)"
fi

# The compilers must produce programs, threads included.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '%s\n' '#include <mutex>' 'std::mutex m;' 'int main() { std::lock_guard<std::mutex> g(m); return 0; }' >"$tmp/t.cpp"
for target in i686-w64-mingw32 x86_64-w64-mingw32; do
    "$target-g++-posix" -std=c++20 -static -o "$tmp/t-$target.exe" "$tmp/t.cpp" 2>"$tmp/err" ||
        die "$target-g++-posix cannot build a program: $(cat "$tmp/err")"
done

say "ok"
