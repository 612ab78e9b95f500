// Owner-drawn bitmap buttons.
#include "BitmapButton.h"

#include "WinApp.h"

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

void BitmapButton::draw(const DRAWITEMSTRUCT& item) const
{
    HBITMAP image = (item.itemState & ODS_SELECTED) ? down_.get() : up_.get();
    if (!image)
        return;
    MemoryDc source(item.hDC);
    DcSelection selection(source.get(), image);
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
}
