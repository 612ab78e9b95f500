// The dialogs with the sample profile at 96 DPI and, in a second run of this program, at 144: no two
// visible controls overlap, and every text fits its box.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "bar/BarKeyboard.h"
#include "driver.h"
#include "support.h"

namespace {

std::string layoutProblems(HWND dialog, int dpi)
{
    std::string report;
    std::vector<HWND> shown;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c))
            shown.push_back(c);
    // An up-down control stands on its buddy's edge, as it is made to.
    auto spinOn = [](HWND spin, HWND buddy) {
        return className(spin) == "msctls_updown32" && reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)) == buddy;
    };
    auto name = [](HWND c) { return std::to_string(GetDlgCtrlID(c)) + " \"" + windowText(c) + "\" "; };
    for (HWND c : shown) {
        RECT a{}, b{}, both{};
        GetWindowRect(c, &a);
        for (HWND d : shown) {
            GetWindowRect(d, &b);
            if (c < d && !spinOn(c, d) && !spinOn(d, c) && IntersectRect(&both, &a, &b))
                report += "overlap: " + name(c) + name(d) + "\n";
        }
        // What of a box is not its text's: a check box's square, a push button's edges, an edit
        // box's margins, a list's drop button. The hotkey box shows the key in the program's words.
        std::string kind = className(c), text = windowText(c);
        LONG type = GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK;
        int taken = kind == "Static" ? 0 : MulDiv(kind == "Button" && type == BS_AUTOCHECKBOX ? 17 : 4, dpi, 96);
        if (kind == "Edit")
            taken = LOWORD(SendMessageA(c, EM_GETMARGINS, 0, 0)) + HIWORD(SendMessageA(c, EM_GETMARGINS, 0, 0));
        else if (kind == "ComboBox")
            taken += GetSystemMetrics(SM_CXVSCROLL);
        else if (kind == "msctls_hotkey32")
            text = hotKeyName(static_cast<int>(SendMessageA(c, HKM_GETHOTKEY, 0, 0)));
        else if (kind != "Button" && (kind != "Static" || (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) > SS_RIGHT))
            continue; // icons and spin buttons hold no text
        RECT room{};
        GetClientRect(c, &room);
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end()); // no trail byte of code page 932 is '&'
        SIZE need = textSize(c, text);
        if (need.cx > room.right - taken || (kind != "ComboBox" && need.cy > room.bottom))
            report += "does not fit: " + name(c) + std::to_string(need.cx) + "x" + std::to_string(need.cy) + "\n";
    }
    // The title whole beside the close button, in the caption's font.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT captionFont = CreateFontIndirectA(&metrics.lfCaptionFont);
    RECT window{};
    GetWindowRect(dialog, &window);
    if (textSize(dialog, windowText(dialog), captionFont).cx >
        window.right - window.left - 2 * GetSystemMetrics(SM_CXFIXEDFRAME) - metrics.iCaptionWidth - MulDiv(6, dpi, 96))
        report += "title does not fit\n";
    DeleteObject(captionFont);
    return report;
}

class DialogLayout : public BarTest {};

TEST_F(DialogLayout, EveryTextWholeAndNoControlOverAnotherAt96And144Dpi)
{
    char second[8] = {};
    int dpi = GetEnvironmentVariableA("ZEL_LAYOUT_DPI", second, sizeof second) ? atoi(second) : 96;
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi) << "the system DPI this run was started at";
    ReleaseDC(nullptr, screen);
    // The sample profile, as a new user meets it: its names in the editor.
    open(fileBytes(testDirectory() + "sample\\ZEL32.INI"), true);
    const std::pair<std::string, INT_PTR (LauncherBar::*)()> dialogs[] = {
        {kEditorCaption, &LauncherBar::openItemEditor}, {kSettingsCaption, &LauncherBar::openSettings},
        {kAboutCaption, &LauncherBar::openAbout}};
    for (auto [caption, run] : dialogs) {
        std::string report = "no dialog";
        Driver::run([&] { (bar->*run)(); }, [&](Driver& d) {
            if (HWND dialog = d.waitWindow(caption)) {
                report = layoutProblems(dialog, dpi);
                d.click(dialog, IDCANCEL);
            }
        });
        EXPECT_EQ(report, "") << caption << " at " << dpi << " DPI";
    }
    closeBar(); // the run at 144 DPI makes a bar that needs the hotkey
    if (second[0])
        return;

    // Again at 144 DPI, in a run of its own: the system DPI is read when a program starts.
    HKEY desktop = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &desktop), ERROR_SUCCESS);
    DWORD before = 0, size = sizeof before, high = 144;
    bool had = RegQueryValueExA(desktop, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before), &size) == 0;
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&high), sizeof high);
    SetEnvironmentVariableA("ZEL_LAYOUT_DPI", "144");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" --gtest_filter=DialogLayout.*";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // its report among this one's
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, kStartTimeoutMs);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA("ZEL_LAYOUT_DPI", nullptr);
    if (had)
        RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before), sizeof before);
    else
        RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
    EXPECT_EQ(exitCode, 0u) << "the run at 144 DPI (its report is above)";
}

} // namespace
