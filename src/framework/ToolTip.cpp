// The tooltip control of a window's children.
#include "ToolTip.h"

#include <commctrl.h>

#include <algorithm>

#include "Dpi.h"
#include "LateBound.h"
#include "WideText.h"

namespace {

// Wide enough for a path on one line; longer lines wrap.
constexpr int kMaxTipWidth = 600;

TTTOOLINFOW toolFor(HWND owner, HWND tool)
{
    TTTOOLINFOW info{};
    // The record every comctl32 takes: a larger one is refused without a manifest.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}

} // namespace

bool ToolTip::create()
{
    // One control for the life of the object: a second would be an orphan that outlives it.
    if (hwnd_ && IsWindow(hwnd_))
        return true;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    lateBound::initCommonControlsEx(&controls);
    RECT none{0, 0, 0, 0};
    // Without an owner: Wine moves a window's owned popups with it in the z-order and
    // can then leave a bar made topmost again without WS_EX_TOPMOST.
    if (!SubclassedControl::create(TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, none, nullptr, 0))
        return false;
    SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

bool ToolTip::setText(HWND tool, const std::string& text)
{
    if (!hwnd_ || !tool)
        return false;
    // A page turn changes few texts: the others cost nothing.
    auto known = std::find_if(texts_.begin(), texts_.end(), [&](const auto& entry) { return entry.first == tool; });
    if (known != texts_.end() && known->second == text)
        return false;
    std::wstring wide = wideText(text);
    TTTOOLINFOW info = toolFor(GetParent(tool), tool);
    info.lpszText = wide.data(); // the control keeps a copy
    SendMessageW(hwnd_, known != texts_.end() ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (known != texts_.end())
        known->second = text;
    else
        texts_.emplace_back(tool, text);
    return true;
}

void ToolTip::setDpi(int dpi)
{
    if (!hwnd_ || dpi == dpi_)
        return;
    dpi_ = dpi;
    SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, scaled(kMaxTipWidth, dpi));
    // The system's tip font is made for its own DPI; a monitor of another scaling gets it scaled.
    HDC screen = GetDC(nullptr);
    int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT font = nullptr;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics; // the record every Windows takes (no Vista padding)
    if (dpi != systemDpi && systemDpi > 0 && SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi, systemDpi);
        font = CreateFontIndirectA(&metrics.lfStatusFont);
    }
    // The control's own font stays untouched until another DPI asks for one.
    if (font || font_)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    font_.reset(font);
}

void ToolTip::pop()
{
    if (hwnd_)
        SendMessageW(hwnd_, TTM_POP, 0, 0);
}

void ToolTip::hideWhile(bool hidden)
{
    hidden_ = hidden;
    if (hidden)
        pop();
}

LRESULT ToolTip::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGING && hidden_)
        reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    return defaultProc(message, wParam, lParam);
}

void ToolTip::remove(HWND tool)
{
    if (!hwnd_ || !tool)
        return;
    TTTOOLINFOW info = toolFor(GetParent(tool), tool);
    SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    std::erase_if(texts_, [&](const auto& entry) { return entry.first == tool; });
}
