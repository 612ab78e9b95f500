# shellcheck shell=bash
# Sourced by setup.sh: the mirror this machine uses for bookworm, from Debian's sources file
# ($DEBIAN_SOURCES) or the one-line list ($SOURCES_LIST); either may be missing. Prints an
# empty line when neither names one. Kept apart so that a test can call it alone.
bookworm_mirror() {
    local mirror=
    if [[ -r $DEBIAN_SOURCES ]]; then
        mirror=$(awk '
            function stanza_end() {
                if (uri != "" && suite && enabled) { print uri; done = 1; exit }
                uri = ""; suite = 0; enabled = 1
            }
            BEGIN { enabled = 1 }
            /^[[:space:]]*$/ { stanza_end(); next }
            /^[[:space:]]*#/ { next }
            tolower($1) == "uris:" { uri = $2 }
            tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == "bookworm") suite = 1 }
            tolower($1) == "enabled:" && tolower($2) == "no" { enabled = 0 }
            END { if (!done) stanza_end() }
        ' "$DEBIAN_SOURCES") || mirror=
    fi
    if [[ -z $mirror && -r $SOURCES_LIST ]]; then
        # "deb [arch=amd64 signed-by=...] URI bookworm main": the options come before the URI.
        mirror=$(awk '
            $1 == "deb" {
                line = $0
                sub(/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?/, "", line)
                split(line, f, /[[:space:]]+/)
                if (f[2] == "bookworm") { print f[1]; exit }
            }
        ' "$SOURCES_LIST") || mirror=
    fi
    printf '%s\n' "$mirror"
}
