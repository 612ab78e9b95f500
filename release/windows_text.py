#!/usr/bin/env python3
"""Turn a UTF-8 text with LF line ends into the code page 932 text with CRLF
line ends that Windows programs of this code page (Notepad, the profile
functions) read.

Usage: python3 windows_text.py IN OUT

Fails, writing nothing, on a text that is not UTF-8, already has a CR, or
holds a character code page 932 cannot hold.
"""

import os
import sys


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: %s IN OUT\n" % argv[0])
        return 2
    source, target = argv[1], argv[2]
    try:
        with open(source, "rb") as f:
            text = f.read().decode("utf-8")
        if "\r" in text:
            raise ValueError("has CR line ends; keep the source LF")
        data = text.replace("\n", "\r\n").encode("cp932")
    except (OSError, ValueError) as e:  # UnicodeError is a ValueError
        sys.stderr.write("windows_text: error: %s: %s\n" % (source, e))
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    with open(target, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
