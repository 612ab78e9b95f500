"""Helpers for the end-to-end journeys: ZEL32.EXE in a Wine prefix of its own on an Xvfb
display of its own, driven only through X (xdotool, an XDND source), with the profile's
bytes, a recorder's log and screen pixels as the evidence.

The tree (ZEL_E2E_TREE, else $BUILD/i686, else build/i686 of the repository) holds
ZEL32.EXE and record_args.exe; the prefix is made once in TREE/e2e-prefix.
"""

import fcntl
import os
import re
import shutil
import subprocess
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TREE = os.environ.get("ZEL_E2E_TREE") or os.path.join(
    os.environ.get("BUILD") or os.path.join(ROOT, "build"), "i686")
PREFIX = os.path.join(TREE, "e2e-prefix")
DRIVE_C = os.path.join(PREFIX, "drive_c")
INI_PATH = os.path.join(DRIVE_C, "windows", "ZEL32.INI")
WORK = os.path.join(DRIVE_C, "e2e")      # C:\e2e: the recorder, its log, files to drop
LOG_PATH = os.path.join(WORK, "record.log")
RECORDER = "C:\\e2e\\record_args.exe"
XDND_DROP = os.path.join(TREE, "e2e", "xdnd_drop")
WINE = "/usr/lib/wine/wine64" if os.access("/usr/lib/wine/wine64", os.X_OK) else "wine"
# Bump when what make_prefix sets up changes.
PREFIX_VERSION = "1"

BAR_TITLE = " ZEL32.EXE Ver1.00"
EDITOR_TITLE = " アプリケーションの登録／編集画面"
SETTINGS_TITLE = " 設定変更画面"

# Where things stand on a 1024-pixel-wide screen with eight divisions (in bar x).
SLOT_CENTRES = (75, 188, 301, 414, 527, 640, 753, 866)
SYSMENU_X, BEFORE_X, NEXT_X, CHANGE_X = 9, 954, 974, 994
# A place on the desktop, away from the bar and its dialogs.
PARK = (512, 600)

_env = None
_xvfb = None


def wait_for(predicate, what, timeout=10.0, interval=0.01):
    """Polls until predicate() returns something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def _run(args, timeout=60, check=True, **kw):
    return subprocess.run(args, env=_env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=timeout, check=check, **kw)


def _output(args, timeout=10):
    return subprocess.run(args, env=_env, stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=timeout).stdout.decode("utf-8", "replace")


def _start_xvfb(two_monitors=False):
    """Our own 1024x768 display, so the layout is known and no other window is in the way;
    or two monitors, 1024x768 and 800x600, both at 0,0 as Xinerama shows them to Wine."""
    global _xvfb
    read_end, write_end = os.pipe()
    screens = ["-screen", "0", "1024x768x24"]
    if two_monitors:
        screens = ["+xinerama", "-extension", "RANDR"] + screens + ["-screen", "1", "800x600x24"]
    _xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end)] + screens + ["-nolisten", "tcp"],
                             pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number.isdigit():
        raise RuntimeError("Xvfb did not report its display")
    return ":" + number


def _make_prefix():
    stamp = os.path.join(PREFIX, ".zel-e2e-prefix")
    if os.path.exists(stamp):
        with open(stamp) as f:
            if f.read().strip() == PREFIX_VERSION:
                return
    if not os.path.exists(os.path.join(PREFIX, ".zel-booted")):
        _run(["wineserver", "-k"], check=False)
        shutil.rmtree(PREFIX, ignore_errors=True)
        _run([WINE, "wineboot", "-i"], timeout=300)
        _run(["wineserver", "-w"], timeout=300, check=False)
        open(os.path.join(PREFIX, ".zel-booted"), "w").close()
    shutil.copy("/usr/share/wine/fonts/marlett.ttf", os.path.join(DRIVE_C, "windows", "Fonts"))
    # Without a window manager Wine waits about 2 s on each hide or destroy of a managed window.
    _run([WINE, "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
          "/d", "N", "/f"])
    _run(["wineserver", "-w"], timeout=120, check=False)
    with open(stamp, "w") as f:
        f.write(PREFIX_VERSION + "\n")


def _build_xdnd_drop():
    source = os.path.join(HERE, "xdnd_drop.c")
    if os.path.exists(XDND_DROP) and os.path.getmtime(XDND_DROP) >= os.path.getmtime(source):
        return
    os.makedirs(os.path.dirname(XDND_DROP), exist_ok=True)
    subprocess.run(["cc", "-O2", "-Wall", "-Wextra", "-o", XDND_DROP, source, "-lX11"], check=True)


def start(two_monitors=False):
    """Display, prefix (made once), wineserver; call once per process before any journey."""
    global _env
    for name in ("ZEL32.EXE", "record_args.exe"):
        if not os.path.exists(os.path.join(TREE, name)):
            raise RuntimeError("%s is missing in %s: build the i686 tree first" % (name, TREE))
    display = _start_xvfb(two_monitors)
    _env = dict(os.environ, DISPLAY=display, WINEPREFIX=PREFIX, WINEARCH="win64", WINEDEBUG="-all",
                LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8", WINEDLLOVERRIDES="mscoree,mshtml=",
                ZEL_RECORD_LOG="C:\\e2e\\record.log")
    os.makedirs(TREE, exist_ok=True)
    # Runs sharing the tree take turns at making the prefix and the drop program.
    with open(os.path.join(TREE, "e2e-prefix.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        _make_prefix()
        _build_xdnd_drop()
    os.makedirs(WORK, exist_ok=True)
    shutil.copy(os.path.join(TREE, "record_args.exe"), os.path.join(WORK, "record_args.exe"))
    _run(["wineserver", "-p"])
    # Wine's own background processes come up here, not in the first journey's timing.
    _run([WINE, "rundll32.exe", "user32.dll,GetDesktopWindow"], check=False)


def use_two_monitors():
    """Wine and its display anew, with two monitors."""
    stop()
    start(two_monitors=True)


def stop():
    global _xvfb
    if _env:
        _run(["wineserver", "-k"], check=False)
        _run(["wineserver", "-w"], check=False)
    if _xvfb:
        _xvfb.kill()
        _xvfb.wait()
        _xvfb = None


# --- the profile and the recorder's log

def write_ini(text):
    """The profile as a user's editor would leave it: code page 932, CRLF."""
    os.makedirs(os.path.dirname(INI_PATH), exist_ok=True)
    with open(INI_PATH, "wb") as f:
        f.write(text.replace("\n", "\r\n").encode("cp932"))


def remove_ini():
    if os.path.exists(INI_PATH):
        os.remove(INI_PATH)


def ini_bytes():
    try:
        with open(INI_PATH, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return b""


def ini():
    """{section: {key: value}} as the profile functions would read it (no quotes or blanks here)."""
    sections, current = {}, None
    for line in ini_bytes().decode("cp932").splitlines():
        if line.startswith("[") and line.rstrip().endswith("]"):
            current = sections.setdefault(line.strip()[1:-1], {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current[key.strip()] = value.strip()
    return sections


def clear_log():
    if os.path.exists(LOG_PATH):
        os.remove(LOG_PATH)


def log_lines():
    """The recorder's lines as (creation time, command line), in the order they were written."""
    try:
        with open(LOG_PATH, "rb") as f:
            text = f.read().decode("cp932")
    except FileNotFoundError:
        return []
    lines = []
    for line in text.splitlines():
        stamp, name, command = line.split(" ", 2)
        assert name == "record_args.exe", line
        lines.append((int(stamp, 16), command))
    return lines


def wait_log(count, what):
    return wait_for(lambda: len(log_lines()) >= count and log_lines(), what)


# --- screen pixels

class Shot:
    """The root window's pixels."""

    def __init__(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=_env,
                              capture_output=True, check=True, timeout=10).stdout
        fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height = int(fields.group(1)), int(fields.group(2))
        self.pixels = data[fields.end():]

    def rgb(self, x, y):
        o = (y * self.width + x) * 3
        return tuple(self.pixels[o:o + 3])

    def area(self, x, y, w, h):
        return tuple(tuple(self.rgb(x + i, y + j) for i in range(w)) for j in range(h))


def settled_shot(check, timeout=3.0):
    """The first screen that passes check, or the last one taken when none did in time,
    for the caller's assertions to report."""
    deadline = time.monotonic() + timeout
    while True:
        shot = Shot()
        if check(shot) or time.monotonic() > deadline:
            return shot
        time.sleep(0.02)


def dark(rgb):
    return max(rgb) < 100


ART_COLOURS = {"K": (0, 0, 0), "W": (255, 255, 255), "L": (192, 192, 192), "D": (128, 128, 128),
               "R": (255, 0, 0)}


def art(name):
    """A button image's rows of colours, from its text art (one letter a pixel)."""
    with open(os.path.join(ROOT, "src", "resources", "art", name + ".txt")) as f:
        rows = [line.rstrip("\r\n") for line in f if not line.startswith("#")]
    while rows and not rows[-1]:
        rows.pop()
    return tuple(tuple(ART_COLOURS[c] for c in row) for row in rows)


def caption_ink(shot, left, top, right, bottom):
    """The dark pixels of a caption in a box, as offsets from its top left corner."""
    return frozenset((x - left, y - top) for y in range(top, bottom) for x in range(left, right)
                     if dark(shot.rgb(x, y)))


def one_glyph_twice(ink):
    """Whether a caption's ink is one pattern drawn twice side by side, as two equal
    characters are, and as two "no glyph" boxes are whatever the characters."""
    if not ink:
        return False
    x0 = min(x for x, _ in ink)
    x1 = max(x for x, _ in ink) + 1
    for step in range(1, x1 - x0):
        first = {(x, y) for x, y in ink if x < x0 + step}
        rest = {(x - step, y) for x, y in ink if x >= x0 + step}
        if first == rest:
            return True
    return False


# --- windows

def windows(name=None):
    """Visible top-level windows of ZEL32.EXE as {id: (x, y, w, h, name)}."""
    ids = _output(["xdotool", "search", "--onlyvisible", "--classname", r"^zel32\.exe$"]).split()
    found = {}
    for wid in ids:
        geometry = dict(re.findall(r"(\w+)=(\d+)", _output(["xdotool", "getwindowgeometry", "--shell", wid])))
        title = _output(["xdotool", "getwindowname", wid]).rstrip("\n")
        if "WIDTH" not in geometry or (name is not None and title != name):
            continue
        found[wid] = (int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]), int(geometry["HEIGHT"]),
                      title)
    return found


def tooltip():
    """The geometry (x, y, w, h) of the one tooltip shown, or None: a small nameless window."""
    tips = [v[:4] for v in windows("").values() if v[3] < 100]
    return tips[0] if len(tips) == 1 else None


def wait_window(name, timeout=10.0):
    return wait_for(lambda: windows(name), "a window named %r" % name, timeout)


def wait_no_window(name, timeout=10.0):
    wait_for(lambda: not windows(name), "the window named %r to go" % name, timeout)


def xdo(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], env=_env, check=True, timeout=10)


def click(x, y, modifier=None):
    if modifier:
        xdo("mousemove", x, y, "keydown", modifier, "click", 1, "keyup", modifier)
    else:
        xdo("mousemove", x, y, "click", 1)


def move(x, y):
    xdo("mousemove", x, y)


def keys(*names):
    xdo("key", "--delay", 30, *names)


def type_text(text):
    xdo("type", "--delay", 20, text)


def drop(x, y, paths):
    """Drops files at a screen point from the X side, as a file manager would."""
    subprocess.run([XDND_DROP, str(x), str(y)] + list(paths), env=_env, check=True, timeout=20)


def taskkill(image):
    """Asks a program's windows to close, as the system does for a user's End task (no /f)."""
    return _run([WINE, "taskkill", "/im", image], check=False).returncode


class Bar:
    """One ZEL32.EXE process and its bar window."""

    def __init__(self):
        self.process = subprocess.Popen([WINE, os.path.join(TREE, "ZEL32.EXE")], env=_env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = next(iter(wait_window(BAR_TITLE)))
        # Painted: SYSMENU, the first launch button and the help button show no unpainted black.
        x0, _, width, _ = self.geometry()
        wait_for(lambda: all(Shot().rgb(x0 + x, self.top() + 4) != (0, 0, 0) for x in (5, 75, width - 94)),
                 "the bar painted")

    def geometry(self):
        return windows(BAR_TITLE).get(self.window, (None,) * 5)[:4]

    def top(self):
        return self.geometry()[1]

    def point(self, x):
        """A screen point at bar x, in the middle of the bar's height."""
        return x, self.top() + 9

    def click(self, x, modifier=None):
        click(*self.point(x), modifier=modifier)

    def slot_box(self, slot, top):
        """A launch button's inside, within its 3D border."""
        left = 19 + 113 * slot
        return left + 3, top + 3, left + 110, top + 16

    def open_menu(self):
        """Clicks SYSMENU; returns the screen points of the menu's eight entries, in order."""
        self.click(SYSMENU_X)
        menus = wait_for(lambda: {k: v for k, v in windows("").items() if v[2] > 100},
                         "the command menu")
        x, y, w, h, _ = next(iter(menus.values()))
        return wait_for(lambda: _menu_entries(x, y, w, h), "the command menu's entries drawn")

    def quit_with_menu(self):
        entries = self.open_menu()
        click(*entries[-1])
        return self.wait_exit()

    def wait_exit(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("ZEL32.EXE still runs %d s later" % timeout) from None

    def end(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def _menu_entries(x, y, w, h):
    """Finds the separators down the menu's left margin and splits the bands between them
    into entries; the command menu has 1, 2, 2, 2 and 1 entries between its separators."""
    shot = Shot()
    column = x + 5
    background = shot.rgb(column, y + 3)
    lines = [j for j in range(y + 1, y + h - 1) if shot.rgb(column, j) != background]
    bands, top = [], y + 1
    for j in lines + [y + h - 1]:
        if j - top > 4:
            bands.append((top, j))
        top = j + 1
    sizes = (1, 2, 2, 2, 1)
    if len(bands) != len(sizes):
        return None
    entries = []
    for (b0, b1), n in zip(bands, sizes):
        step = (b1 - b0) / n
        entries += [(x + w // 4, int(b0 + step * (i + 0.5))) for i in range(n)]
    return entries
