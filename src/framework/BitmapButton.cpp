// Owner-drawn bitmap buttons, and their art at any DPI.
#include "BitmapButton.h"

#include <utility>
#include <vector>

#include "WinApp.h"
#include "Dpi.h"

bool BitmapButton::create(const char* caption, const RECT& rect, HWND parent, int id)
{
    return Control::create("BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, id);
}

bool BitmapButton::loadImages(const char* upName, const char* downName)
{
    HINSTANCE instance = WinApp::instance()->instanceHandle();
    up_.reset(LoadBitmapA(instance, upName));
    down_.reset(LoadBitmapA(instance, downName));
    return up_ && down_;
}

void BitmapButton::scaleTo(int dpi)
{
    contrastUp_.reset();
    contrastDown_.reset();
    bool art = dpi == kBaseDpi || !up_ || !down_;
    scaledUp_.reset(art ? nullptr : scaleArt(up_.get(), dpi));
    scaledDown_.reset(art ? nullptr : scaleArt(down_.get(), dpi));
}

HBITMAP BitmapButton::image(bool down) const
{
    HBITMAP art = down ? (scaledDown_ ? scaledDown_.get() : down_.get()) : (scaledUp_ ? scaledUp_.get() : up_.get());
    if (!art || !highContrast())
        return art;
    // Made again when the scheme's colours or the art's scale changed.
    COLORREF stamp = GetSysColor(COLOR_BTNFACE) ^ (GetSysColor(COLOR_BTNTEXT) << 1) ^ (scaledUp_ ? 1u << 31 : 0u);
    if (stamp != contrastStamp_ || !contrastUp_ || !contrastDown_) {
        contrastUp_.reset(inSystemColours(scaledUp_ ? scaledUp_.get() : up_.get()));
        contrastDown_.reset(inSystemColours(scaledDown_ ? scaledDown_.get() : down_.get()));
        contrastStamp_ = stamp;
    }
    HBITMAP mapped = down ? contrastDown_.get() : contrastUp_.get();
    return mapped ? mapped : art;
}

void BitmapButton::draw(const DRAWITEMSTRUCT& item, bool showFocus) const
{
    bool down = (item.itemState & ODS_SELECTED) != 0;
    HBITMAP image = this->image(down);
    if (!image)
        return;
    MemoryDc source(item.hDC);
    DcSelection selection(source.get(), image);
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
    if (showFocus && (item.itemState & ODS_FOCUS)) {
        RECT inside{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        DrawFocusRect(item.hDC, &inside);
    }
}

HBITMAP inSystemColours(HBITMAP art)
{
    BITMAP info{};
    if (!GetObjectA(art, sizeof info, &info) || info.bmWidth < 1 || info.bmHeight < 1)
        return nullptr;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    bool read = GetDIBits(screen, art, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS) != 0;
    auto quad = [](COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; };
    const std::pair<COLORREF, int> map[] = {{RGB(192, 192, 192), COLOR_BTNFACE}, {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
                                            {RGB(128, 128, 128), COLOR_BTNSHADOW}, {RGB(0, 0, 0), COLOR_BTNTEXT},
                                            {RGB(255, 0, 0), COLOR_HIGHLIGHT}};
    for (RGBQUAD& p : pixels)
        for (const auto& [from, to] : map)
            if (RGB(p.rgbRed, p.rgbGreen, p.rgbBlue) == from) {
                p = quad(GetSysColor(to));
                break;
            }
    HBITMAP result = read ? CreateDIBitmap(screen, &format.bmiHeader, CBM_INIT, pixels.data(), &format, DIB_RGB_COLORS)
                          : nullptr;
    ReleaseDC(nullptr, screen);
    return result;
}

HBITMAP scaleArt(HBITMAP art, int dpi)
{
    BITMAP info{};
    if (!GetObjectA(art, sizeof info, &info) || info.bmWidth < 4 || info.bmHeight < 4)
        return nullptr;
    const int w0 = info.bmWidth, h0 = info.bmHeight;
    const int w = scaled(w0, dpi), h = scaled(h0, dpi);
    const int t = dpi / kBaseDpi > 1 ? dpi / kBaseDpi : 1;
    const int k = (dpi + kBaseDpi / 2) / kBaseDpi > 1 ? (dpi + kBaseDpi / 2) / kBaseDpi : 1;
    // The art's frame: one line left and top, two right and bottom.
    const int inW0 = w0 - 3, inH0 = h0 - 3;
    const int inW = w - 3 * t, inH = h - 3 * t;
    if (inW < 1 || inH < 1)
        return nullptr;

    HDC screen = GetDC(nullptr);
    HBITMAP result = CreateCompatibleBitmap(screen, w, h);
    MemoryDc source(screen);
    MemoryDc target(screen);
    ReleaseDC(nullptr, screen);
    if (!result || !source.get() || !target.get()) {
        if (result)
            DeleteObject(result);
        return nullptr;
    }
    {
        DcSelection from(source.get(), art);
        DcSelection to(target.get(), result);
        HDC s = source.get();
        HDC d = target.get();
        SetStretchBltMode(d, COLORONCOLOR);
        Brush inside(CreateSolidBrush(GetPixel(s, 1, 1)));
        RECT all{0, 0, w, h};
        FillRect(d, &all, inside.get());
        // The inside, scaled and centred; what falls outside the frame is background.
        IntersectClipRect(d, t, t, t + inW, t + inH);
        StretchBlt(d, t + (inW - inW0 * k) / 2, t + (inH - inH0 * k) / 2, inW0 * k, inH0 * k, s, 1, 1, inW0, inH0,
                   SRCCOPY);
        SelectClipRgn(d, nullptr);
        // The edges, each of one colour along its length, and the corners.
        StretchBlt(d, t, 0, inW, t, s, 1, 0, inW0, 1, SRCCOPY);
        StretchBlt(d, t, h - 2 * t, inW, 2 * t, s, 1, h0 - 2, inW0, 2, SRCCOPY);
        StretchBlt(d, 0, t, t, inH, s, 0, 1, 1, inH0, SRCCOPY);
        StretchBlt(d, w - 2 * t, t, 2 * t, inH, s, w0 - 2, 1, 2, inH0, SRCCOPY);
        StretchBlt(d, 0, 0, t, t, s, 0, 0, 1, 1, SRCCOPY);
        StretchBlt(d, w - 2 * t, 0, 2 * t, t, s, w0 - 2, 0, 2, 1, SRCCOPY);
        StretchBlt(d, 0, h - 2 * t, t, 2 * t, s, 0, h0 - 2, 1, 2, SRCCOPY);
        StretchBlt(d, w - 2 * t, h - 2 * t, 2 * t, 2 * t, s, w0 - 2, h0 - 2, 2, 2, SRCCOPY);
    }
    return result;
}
