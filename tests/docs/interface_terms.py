#!/usr/bin/env python3
"""The users' documents name only texts the program shows, and spell words as today's Windows does.

Every 「…」-quoted term of README.TXT and the help page must be part of a string literal of the
program's sources (C++ and the .rc file), taken as a menu or a dialog shows it. A thing has one
name: the documents and the program's texts avoid the other names of a thing. README.TXT, the help
page and README.md give the same account of the systems the program runs on.
Usage: interface_terms.py SOURCE_DIR
"""

import html
import pathlib
import re
import sys

DOCUMENTS = ("release/README.TXT", "src/resources/ZEL32.HTM")
# Texts of Windows itself that the documents quote, not of the program.
WINDOWS_TEXTS = {"すべて展開", "ファイル名を指定して実行", "ショートカットをここに作成", "いいえ"}
# Spellings that Windows no longer uses, or words the documents write another way.
OLD_SPELLINGS = re.compile(r"ドット|アイテム|ディレクトリ|(?:フォルダ|モニタ|ユーザ|コンピュータ|ポインタ|エクスプローラ)(?!ー)")

# Comments, include lines and character literals are skipped; group 1 is a string literal's body.
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|^[ \t]*#[ \t]*include[^\n]*|\'(?:\\.|[^\\\'\n])+\'|"((?:\\.|[^\\"\n])*)"',
                   re.S | re.M)
ESCAPE = re.compile(r"\\(x[0-9A-Fa-f]+|.)")
SIMPLE_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "0": "\0"}
# Other names of a thing the program names one way, and that name.
OTHER_NAMES = {"起動ボタンの数": "分割数", "ボタンの数": "分割数", "版を表示": "バージョン情報",
               "以前の版": "no earlier version the reader knows", "上端": "上の端", "下端": "下の端"}
# The one account of the systems, in each document that gives it.
SYSTEMS = {
    "release/README.TXT": ["Windows XP 以降（Windows 10、11 を含む）と、Wine で動きます。",
                           "「Windows95/WindowsNT 3.51」", "Windows 95 系（95、98、Me）"],
    "src/resources/ZEL32.HTM": ["Windows XP 以降（Windows 10、11 を含む）と、Wine で動きます。",
                                "「Windows95/WindowsNT 3.51」", "Windows 95 系（95、98、Me）"],
    "README.md": ["It runs on Windows XP and later (Windows 10 and 11 included) and on Wine.",
                  '"Windows95/WindowsNT 3.51"', "the Windows 95 family (95, 98, Me)"],
}
# A label's access key, "(" 0x1E letter ")" in a menu or "(&" letter ")" in a dialog, and the
# "..." ending a longer label.
MENU_MARKS = re.compile(r"\((?:\x1E|&)[A-Za-z]\)|(?<=.)\.\.\.$")


def unescape(body):
    def one(m):
        e = m[1]
        return chr(int(e[1:], 16)) if e[0] == "x" else SIMPLE_ESCAPES.get(e, e)
    return ESCAPE.sub(one, body)


def literals(source):
    """The string literals of one source, adjacent ones joined as the compiler joins them."""
    texts, end = [], None
    for m in TOKEN.finditer(source):
        if m[1] is None:
            end = None
            continue
        text = unescape(m[1])
        if end is not None and not source[end:m.start()].strip():
            texts[-1] += text
        else:
            texts.append(text)
        end = m.end()
    return texts


def main(root):
    root = pathlib.Path(root)
    sources = [p for p in sorted((root / "src").rglob("*")) if p.suffix in (".h", ".cpp")]
    sources.append(root / "src/resources/zel32.rc")
    shown = "\0".join(MENU_MARKS.sub("", t) for p in sources for t in literals(p.read_text("utf-8")))
    problems = []
    for name in DOCUMENTS:
        text = html.unescape((root / name).read_text("utf-8"))
        terms = re.findall(r"「([^「」]*)」", text)
        if not terms or text.count("「") != text.count("」"):
            problems.append("%s: no quoted terms, or unbalanced 「」" % name)
        problems += ["%s: 「%s」 is no text of the program" % (name, t)
                     for t in sorted(set(terms)) if t not in WINDOWS_TEXTS and (not t or t not in shown)]
        problems += ["%s: old spelling %s" % (name, m[0]) for m in OLD_SPELLINGS.finditer(text)]
    for name, sentences in SYSTEMS.items():
        text = " ".join(html.unescape((root / name).read_text("utf-8")).split())
        problems += ["%s: the systems' account lacks %s" % (name, t) for t in sentences if t not in text]
    for name, text in [(n, (root / n).read_text("utf-8")) for n in DOCUMENTS] + [("the program's texts", shown)]:
        problems += ["%s: %s, where the program says %s" % (name, other, one)
                     for other, one in OTHER_NAMES.items() if other in text]
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
