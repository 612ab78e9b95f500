#!/usr/bin/env python3
"""ZEL32 as a user meets it: the program started as its own process and used only through X.

Run all:   python3 tests/e2e/test_journeys.py          (ZEL_E2E_TREE or $BUILD/i686 holds ZEL32.EXE)
Run one:   python3 tests/e2e/test_journeys.py Journeys.test_drops
"""

import os
import sys
import time
import unittest

# No __pycache__ in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import e2e_support as e2e  # noqa: E402
from e2e_support import BEFORE_X, CHANGE_X, NEXT_X, PARK, RECORDER, SLOT_CENTRES, SYSMENU_X  # noqa: E402


def setUpModule():
    e2e.start()


def tearDownModule():
    e2e.stop()


class Journeys(unittest.TestCase):
    def setUp(self):
        e2e.remove_ini()
        e2e.clear_log()
        self.bars = []
        e2e.move(*PARK)

    def tearDown(self):
        for bar in self.bars:
            bar.end()

    def start_bar(self):
        bar = e2e.Bar()
        self.bars.append(bar)
        return bar

    def commands(self):
        return [command for _, command in e2e.log_lines()]

    def test_first_start_and_quit(self):
        bar = self.start_bar()
        # No profile: the bottom edge, full width, 19 pixels high.
        self.assertEqual(bar.geometry(), (0, 749, 1024, 19))
        top = 749
        # The five picture buttons show their images, pixel for pixel.
        pictures = [(name, left, width, tuple(row[:width] for row in e2e.art(name)))
                    for name, left, width in (("SYSMENUU", 0, 19), ("BEFOREU", 944, 20), ("NEXTU", 964, 20),
                                              ("CHANGEU", 984, 20), ("ICONU", 1004, 20))]
        shot = e2e.settled_shot(lambda s: all(s.area(left, top, width, 19) == expected
                                              for _, left, width, expected in pictures))
        for name, left, width, expected in pictures:
            self.assertEqual(shot.area(left, top, width, 19), expected, name)
        # Eight empty launch buttons: across the middle row only their shaded right edges are dark.
        row = [max(shot.rgb(x, top + 9)) < 200 for x in range(19, 923)]
        edges = [19 + i for i in range(len(row)) if row[i] and (i + 1 == len(row) or not row[i + 1])]
        self.assertEqual(edges, [131, 244, 357, 470, 583, 696, 809, 922])
        first_look = shot.area(0, top, 1024, 19)

        self.assertEqual(bar.quit_with_menu(), 0)
        self.assertEqual(e2e.ini_bytes(),
                         b"[Env]\r\nCurrent=0\r\nMenuSize=8\r\nSilentSize=10\r\nOverTop=1\r\nSilent=0\r\n"
                         b"MenuPos=1\r\n")

        again = self.start_bar()
        self.assertEqual(again.geometry(), (0, 749, 1024, 19))
        e2e.wait_for(lambda: e2e.Shot().area(0, top, 1024, 19) == first_look, "the same bar again", timeout=3)

    def test_click_ctrl_click_and_edit(self):
        e2e.write_ini("[Env]\nMenuPos=0\n"
                      "[Menu]\nMenuItem0=記録\nMenuItem1=消す\nMenuItem2=編集\nMenuItem3=メモ\nMenuItem4=口口\n"
                      "[Exec]\nExecItem0=%s first\nExecItem1=%s second\nExecItem2=%s before\n"
                      % (RECORDER, RECORDER, RECORDER))
        bar = self.start_bar()
        self.assertEqual(bar.geometry(), (0, 0, 1024, 19))

        # Japanese captions are drawn as glyphs: メモ is not one pattern twice, as it would be
        # with a font that has no such glyphs (two equal boxes); 口口 shows the check can tell.
        shot = e2e.settled_shot(lambda s: e2e.caption_ink(s, *bar.slot_box(4, 0)))
        memo = e2e.caption_ink(shot, *bar.slot_box(3, 0))
        self.assertGreater(len(memo), 20)
        self.assertFalse(e2e.one_glyph_twice(memo))
        self.assertTrue(e2e.one_glyph_twice(e2e.caption_ink(shot, *bar.slot_box(4, 0))))
        self.assertTrue(e2e.caption_ink(shot, *bar.slot_box(1, 0)))

        bar.click(SLOT_CENTRES[0])
        e2e.wait_log(1, "the first item's program")
        self.assertEqual(self.commands(), [RECORDER + " first"])

        bar.click(SLOT_CENTRES[1], "ctrl")
        e2e.wait_for(lambda: e2e.ini()["Exec"].get("ExecItem1") == "", "item 1 emptied in the profile")
        self.assertEqual(e2e.ini()["Menu"]["MenuItem1"], "")
        e2e.move(*PARK)
        e2e.wait_for(lambda: not e2e.caption_ink(e2e.Shot(), *bar.slot_box(1, 0)), "item 1's caption gone")

        bar.click(SLOT_CENTRES[2], "shift")
        e2e.wait_window(e2e.EDITOR_TITLE)
        # The focus starts in the clicked row's name box; Tab selects its command.
        e2e.keys("Tab")
        e2e.type_text(RECORDER + " after")
        e2e.keys("Return")
        e2e.wait_no_window(e2e.EDITOR_TITLE)
        self.assertEqual(e2e.ini()["Exec"]["ExecItem2"], RECORDER + " after")
        self.assertEqual(e2e.ini()["Menu"]["MenuItem2"], "編集")

        bar.click(SLOT_CENTRES[2])
        e2e.wait_log(2, "the edited item's program")
        self.assertEqual(self.commands(), [RECORDER + " first", RECORDER + " after"])

    def test_keyboard(self):
        e2e.write_ini("[Env]\nMenuPos=0\n[Exec]\nExecItem1=%s one\nExecItem9=%s nine\n" % (RECORDER, RECORDER))
        bar = self.start_bar()
        # The hotkey reaches Wine where the pointer is over one of its windows (X gives the keys
        # to the window under the pointer when no window has the focus): over the help button.
        e2e.move(*bar.point(930))
        e2e.keys("ctrl+alt+z")
        # The focus starts on the first item; Right moves it on; Enter starts the item as a click would.
        e2e.keys("Right", "Return")
        e2e.wait_log(1, "item 1 started by Enter")
        # PageDown is NEXT: the focus stays on the second button, now item 9's.
        e2e.keys("Next", "Return")
        e2e.wait_log(2, "item 9 started by Enter")
        self.assertEqual(self.commands(), [RECORDER + " one", RECORDER + " nine"])
        # Shift+F10 opens the command menu; Esc closes it, a second Esc gives the keyboard back.
        e2e.keys("shift+F10")
        e2e.wait_for(lambda: [v for v in e2e.windows("").values() if v[2] > 100], "the command menu")
        e2e.keys("Escape")
        e2e.wait_for(lambda: not [v for v in e2e.windows("").values() if v[2] > 100], "the menu closed")
        # The space bar on a launch button still starts nothing.
        e2e.keys("space")
        e2e.keys("Escape")
        self.assertEqual(bar.quit_with_menu(), 0)
        self.assertEqual(e2e.ini()["Env"]["Current"], "8")
        self.assertEqual(len(self.commands()), 2)

    def test_drag_swaps_two_items(self):
        e2e.write_ini("[Env]\nMenuPos=0\n[Menu]\nMenuItem0=A\nMenuItem2=C\n"
                      "[Exec]\nExecItem0=%s a\nExecItem2=%s c\n" % (RECORDER, RECORDER))
        bar = self.start_bar()
        x0, y = bar.point(SLOT_CENTRES[0])
        x2 = SLOT_CENTRES[2]
        # Pressed on item 0, carried onto item 2 in steps as a hand would, released there.
        e2e.xdo("mousemove", x0, y, "mousedown", 1)
        for x in range(x0 + 10, x2 + 1, 40):
            e2e.xdo("mousemove", x, y)
        e2e.xdo("mousemove", x2, y, "mouseup", 1)
        swapped = {"Menu": {"MenuItem0": "C", "MenuItem2": "A"},
                   "Exec": {"ExecItem0": RECORDER + " c", "ExecItem2": RECORDER + " a"}}
        e2e.wait_for(lambda: {k: v for k, v in e2e.ini().items() if k != "Env"} == swapped,
                     "the items swapped in the profile")
        # A press and release in place is a click: the item now in slot 0 starts (once a double
        # click's time has passed since the drag's press there); a drag to the help button
        # changes nothing and starts nothing.
        time.sleep(0.6)
        bar.click(SLOT_CENTRES[0])
        e2e.wait_log(1, "the swapped item started")
        e2e.xdo("mousemove", x0, y, "mousedown", 1, "mousemove", x0 + 200, y, "mousemove", 930, y, "mouseup", 1)
        time.sleep(0.5)
        self.assertEqual(self.commands(), [RECORDER + " c"])
        self.assertEqual(e2e.ini()["Menu"]["MenuItem0"], "C")

    def test_item_menu(self):
        e2e.write_ini("[Env]\nMenuPos=0\n[Menu]\nMenuItem0=記録\n[Exec]\nExecItem0=%s from-menu\n" % RECORDER)
        bar = self.start_bar()
        # A real right click on the item: its own menu, beside the button, below a bar at the top.
        x, y = bar.point(SLOT_CENTRES[0])
        e2e.xdo("mousemove", x, y, "click", 3)
        menus = e2e.wait_for(lambda: {k: v for k, v in e2e.windows("").items() if v[2] > 60}, "the item's menu")
        mx, my, mw, mh, _ = next(iter(menus.values()))
        self.assertGreaterEqual(my, 19)
        # Its first entry, 開く, starts what a click starts.
        e2e.keys("Down", "Return")
        e2e.wait_log(1, "the item started from its menu")
        self.assertEqual(self.commands(), [RECORDER + " from-menu"])

    def test_paging_and_edge(self):
        e2e.write_ini("[Env]\nMenuPos=1\n[Menu]\nMenuItem0=p0\nMenuItem8=p8\nMenuItem16=p16\n"
                      "[Exec]\nExecItem0=%s page0\nExecItem8=%s page8\nExecItem16=%s page16\n"
                      % (RECORDER, RECORDER, RECORDER))
        bar = self.start_bar()
        self.assertEqual(bar.top(), 749)
        expected = []
        for button, page in ((NEXT_X, "page8"), (NEXT_X, "page16"), (BEFORE_X, "page8")):
            bar.click(button)
            bar.click(SLOT_CENTRES[0])
            expected.append(RECORDER + " " + page)
            e2e.wait_log(len(expected), page + "'s first item")
            self.assertEqual(self.commands(), expected)
        bar.click(CHANGE_X)
        e2e.wait_for(lambda: bar.geometry() == (0, 0, 1024, 19), "the bar at the top edge")

        self.assertEqual(bar.quit_with_menu(), 0)
        env = e2e.ini()["Env"]
        self.assertEqual((env["Current"], env["MenuPos"], env["MenuSize"]), ("8", "0", "8"))

        again = self.start_bar()
        self.assertEqual(again.geometry(), (0, 0, 1024, 19))
        again.click(SLOT_CENTRES[0])
        expected.append(RECORDER + " page8")
        e2e.wait_log(len(expected), "page 8's first item after the restart")
        self.assertEqual(self.commands(), expected)

    def test_tooltip(self):
        e2e.write_ini("[Menu]\nMenuItem0=メモ\n[Exec]\nExecItem0=notepad.exe\n")
        bar = self.start_bar()
        sizes = {}
        for what, x in (("item", SLOT_CENTRES[0]), ("next", NEXT_X)):
            e2e.move(*bar.point(x))
            x0, y0, w, h = e2e.wait_for(e2e.tooltip, "the tooltip over the " + what)
            # Shown beside the pointer, on the screen, with its text drawn.
            self.assertLess(abs(x0 - bar.point(x)[0]), 400)
            self.assertTrue(0 <= y0 and y0 + h <= 768)
            shot = e2e.Shot()
            self.assertTrue(e2e.caption_ink(shot, x0 + 2, y0 + 2, x0 + w - 2, y0 + h - 2), what)
            sizes[what] = (w, h)
            e2e.move(*PARK)
            e2e.wait_for(lambda: e2e.tooltip() is None, "the tooltip to go")
        # The item's tip has two lines (name, command), NEXT's one.
        self.assertGreater(sizes["item"][1], sizes["next"][1])
        # SYSMENU's tip never comes over the menu it opened, clicked before or after the tip showed.
        for wait_for_tip in (False, True):
            e2e.move(*bar.point(SYSMENU_X))
            if wait_for_tip:
                e2e.wait_for(e2e.tooltip, "the tooltip over SYSMENU")
            bar.open_menu()
            time.sleep(1.5)
            self.assertIsNone(e2e.tooltip(), wait_for_tip)
            e2e.keys("Escape")
            e2e.move(*PARK)
            time.sleep(0.3)

    def test_second_monitor(self):
        e2e.use_two_monitors()
        # The second monitor's width at its bottom edge; one that is not there means the primary.
        e2e.write_ini("[Env]\nMonitor=2\n")
        bar = self.start_bar()
        self.assertEqual(bar.geometry(), (0, 581, 800, 19))
        # The command menu opens beside SYSMENU on that monitor, above the bar.
        bar.click(SYSMENU_X)
        menus = e2e.wait_for(lambda: {k: v for k, v in e2e.windows("").items() if v[2] > 100}, "the command menu")
        x, y, w, h, _ = next(iter(menus.values()))
        self.assertTrue(x >= 19 and x + w <= 800 and y >= 0 and y + h <= 581, (x, y, w, h))
        e2e.keys("Escape")
        e2e.wait_for(lambda: not [v for v in e2e.windows("").values() if v[2] > 100], "the menu closed")
        time.sleep(0.6)  # the next click on SYSMENU is no double click
        self.assertEqual(bar.quit_with_menu(), 0)
        e2e.write_ini("[Env]\nMonitor=3\n")
        self.assertEqual(self.start_bar().geometry(), (0, 749, 1024, 19))

    def test_auto_hide(self):
        e2e.write_ini("[Env]\nMenuPos=0\nSilent=0\n")
        bar = self.start_bar()
        entries = bar.open_menu()
        e2e.click(*entries[3])  # 設定の変更
        e2e.wait_window(e2e.SETTINGS_TITLE)
        # From the count box past 常に手前に表示 to 自動的に隠す; Return is 保存.
        e2e.keys("Tab", "Tab", "space", "Return")
        e2e.wait_no_window(e2e.SETTINGS_TITLE)
        self.assertEqual(e2e.ini()["Env"]["Silent"], "1")

        e2e.move(512, 400)
        e2e.wait_for(lambda: bar.geometry() == (0, 0, 1024, 2), "the bar to retract")
        e2e.move(512, 3)
        e2e.wait_for(lambda: bar.geometry() == (0, 0, 1024, 19), "the bar to come back")
        e2e.move(512, 400)
        e2e.wait_for(lambda: bar.geometry() == (0, 0, 1024, 2), "the bar to retract again")

    def test_drops(self):
        e2e.write_ini("[Env]\nMenuPos=0\n[Menu]\nMenuItem1=rec\n[Exec]\nExecItem1=%s\n" % RECORDER)
        folder = os.path.join(e2e.WORK, "drop")
        os.makedirs(folder, exist_ok=True)
        files = []
        for name in ("a.txt", "b.txt"):
            files.append(os.path.join(folder, name))
            with open(files[-1], "w") as f:
                f.write(name)
        bar = self.start_bar()

        # On an empty item: the first file is registered, nothing starts.
        e2e.drop(*bar.point(SLOT_CENTRES[0]), files)
        e2e.wait_for(lambda: e2e.ini().get("Exec", {}).get("ExecItem0"), "the dropped file registered")
        self.assertEqual(e2e.ini()["Exec"]["ExecItem0"], "C:\\e2e\\drop\\a.txt")
        self.assertEqual(e2e.ini()["Menu"]["MenuItem0"], "a")

        # On an item with a command: one start per file, in order.
        e2e.drop(*bar.point(SLOT_CENTRES[1]), files)
        lines = e2e.wait_log(2, "two starts")
        self.assertEqual([command for _, command in lines],
                         [RECORDER + " C:\\e2e\\drop\\a.txt", RECORDER + " C:\\e2e\\drop\\b.txt"])
        self.assertLess(lines[0][0], lines[1][0])

    def test_close_during_editor(self):
        e2e.write_ini("[Env]\nMenuPos=0\nCurrent=0\n[Menu]\nMenuItem0=rec\n[Exec]\nExecItem0=%s\n" % RECORDER)
        bar = self.start_bar()
        bar.click(SLOT_CENTRES[0], "shift")
        e2e.wait_window(e2e.EDITOR_TITLE)
        before = e2e.ini_bytes()
        # What the system sends on a user's End task: WM_CLOSE to the program's windows.
        self.assertEqual(e2e.taskkill("ZEL32.EXE"), 0)
        self.assertEqual(bar.wait_exit(), 0)
        self.assertEqual(e2e.ini_bytes(), before)
        self.assertEqual(self.commands(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
