// The item editor, the settings dialog and the about box with the sample profile, at 96 DPI and, in a
// second run of this program, at 144: no two visible controls overlap, and every text fits its box.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "bar/BarKeyboard.h"
#include "bar/LauncherBar.h"
#include "driver.h"
#include "support.h"

namespace {

// Set in the second run, to the DPI it runs at.
constexpr char kDpiVariable[] = "ZEL_LAYOUT_DPI";

SIZE extent(HWND control, const std::string& text)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

std::vector<std::string> linesOf(std::string text, bool prefixes)
{
    std::vector<std::string> lines{""};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            lines.emplace_back();
        else if (text[i] != '&' || !prefixes)
            lines.back() += text[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size())
            lines.back() += text[++i];
    }
    return lines;
}

// What overlaps or does not fit in a dialog, a line each.
std::string layoutProblems(HWND dialog, int dpi)
{
    std::string report;
    std::vector<HWND> shown;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c))
            shown.push_back(c);
    auto name = [](HWND c) { return std::to_string(GetDlgCtrlID(c)) + " \"" + windowText(c) + "\""; };
    for (std::size_t i = 0; i < shown.size(); ++i) {
        RECT a{}, b{}, both{};
        GetWindowRect(shown[i], &a);
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            GetWindowRect(shown[j], &b);
            // An up-down control stands on its buddy's edge, as it is made to.
            bool spinOnBuddy = className(shown[j]) == "msctls_updown32" &&
                               reinterpret_cast<HWND>(SendMessageA(shown[j], UDM_GETBUDDY, 0, 0)) == shown[i];
            if (IntersectRect(&both, &a, &b) && !spinOnBuddy)
                report += "overlap: " + name(shown[i]) + " and " + name(shown[j]) + "\n";
        }
    }
    for (HWND c : shown) {
        std::string kind = className(c);
        LONG style = GetWindowLongA(c, GWL_STYLE);
        RECT client{};
        GetClientRect(c, &client);
        // The room a text has: a check box's square and gap, a push button's edges, an edit box's
        // margins, a list's drop button are not the text's.
        std::string text = windowText(c);
        int room = client.right;
        bool checkHeight = true;
        if (kind == "Button") {
            UINT type = style & BS_TYPEMASK;
            room -= type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? MulDiv(13 + 4, dpi, 96) : MulDiv(4, dpi, 96);
        } else if (kind == "Edit") {
            DWORD margins = static_cast<DWORD>(SendMessageA(c, EM_GETMARGINS, 0, 0));
            room -= LOWORD(margins) + HIWORD(margins);
        } else if (kind == "ComboBox") {
            room -= GetSystemMetrics(SM_CXVSCROLL) + MulDiv(4, dpi, 96);
            LRESULT items = SendMessageA(c, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < items; ++i) {
                std::string item(static_cast<std::size_t>(SendMessageA(c, CB_GETLBTEXTLEN, i, 0)), '\0');
                SendMessageA(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
                text += (text.empty() ? "" : "\n") + item;
            }
            checkHeight = false;
        } else if (kind == "msctls_hotkey32") {
            // The key as the box shows it, in the program's words.
            text = hotKeyName(static_cast<int>(SendMessageA(c, HKM_GETHOTKEY, 0, 0) & 0xFFFF));
            room -= 2 * GetSystemMetrics(SM_CXBORDER);
        } else if (kind != "Static" || (style & SS_TYPEMASK) > SS_RIGHT) {
            continue; // icons and spin buttons hold no text
        }
        std::vector<std::string> lines = linesOf(text, kind == "Static" || kind == "Button");
        TEXTMETRICA metrics{};
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        for (const std::string& line : lines)
            if (extent(c, line).cx > room)
                report += "too wide: " + name(c) + " line \"" + line + "\" " + std::to_string(extent(c, line).cx) +
                          " > " + std::to_string(room) + "\n";
        int height = metrics.tmHeight * static_cast<int>(kind == "Static" ? lines.size() : 1);
        if (checkHeight && height > client.bottom)
            report += "too low: " + name(c) + " " + std::to_string(height) + " > " + std::to_string(client.bottom) + "\n";
    }
    // The title whole beside the close button, in the caption's font.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT captionFont = CreateFontIndirectA(&metrics.lfCaptionFont);
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, captionFont);
    std::string title = windowText(dialog);
    SIZE titleSize{};
    GetTextExtentPoint32A(dc, title.c_str(), static_cast<int>(title.size()), &titleSize);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    DeleteObject(captionFont);
    RECT window{};
    GetWindowRect(dialog, &window);
    int titleRoom = window.right - window.left - 2 * GetSystemMetrics(SM_CXFIXEDFRAME) - metrics.iCaptionWidth -
                    MulDiv(6, dpi, 96);
    if (titleSize.cx > titleRoom)
        report += "title too wide: \"" + title + "\" " + std::to_string(titleSize.cx) + " > " + std::to_string(titleRoom) + "\n";
    return report;
}

class DialogLayout : public BarTest {};

TEST_F(DialogLayout, NoControlsOverlapAndEveryTextFitsAt96And144Dpi)
{
    char wanted[8] = {};
    bool second = GetEnvironmentVariableA(kDpiVariable, wanted, sizeof wanted) > 0;
    int dpi = second ? atoi(wanted) : 96;
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi) << "the system DPI this run was started at";
    ReleaseDC(nullptr, screen);

    // The sample profile, as a new user meets it: its names in the editor.
    open(fileBytes(testDirectory() + "sample\\ZEL32.INI"), true);
    struct Case {
        std::string caption;
        std::function<void()> open;
    };
    const Case cases[] = {
        {kEditorCaption, [&] { bar->openItemEditor(); }},
        {kSettingsCaption, [&] { bar->openSettings(); }},
        {kAboutCaption, [&] { bar->openAbout(); }},
    };
    for (const Case& c : cases) {
        std::string report = "no dialog";
        Driver::run(c.open, [&](Driver& d) {
            if (HWND dialog = d.waitWindow(c.caption)) {
                report = layoutProblems(dialog, dpi);
                d.click(dialog, IDCANCEL);
            }
        });
        EXPECT_EQ(report, "") << c.caption << " at " << dpi << " DPI";
    }
    closeBar();
    if (second)
        return;

    // The same at 144 DPI: the system DPI is read when a program starts.
    HKEY desktop = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &desktop),
              ERROR_SUCCESS);
    DWORD before = 0, size = sizeof before, type = 0;
    bool had = RegQueryValueExA(desktop, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&before), &size) ==
               ERROR_SUCCESS;
    DWORD high = 144;
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&high), sizeof high);
    SetEnvironmentVariableA(kDpiVariable, "144");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" --gtest_filter=DialogLayout.*";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                  &process) != FALSE;
    DWORD exitCode = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, kStartTimeoutMs);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA(kDpiVariable, nullptr);
    if (had)
        RegSetValueExA(desktop, "LogPixels", 0, type, reinterpret_cast<const BYTE*>(&before), sizeof before);
    else
        RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u) << "the run at 144 DPI failed (its report is above)";
}

} // namespace
