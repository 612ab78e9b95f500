// An owner-drawn push button painted from an up and a down bitmap.
#pragma once

#include "Handles.h"
#include "Window.h"

class BitmapButton : public Control {
public:
    // The button is created BS_OWNERDRAW; the images are resources of the module.
    bool create(const char* caption, const RECT& rect, HWND parent, int id);
    bool loadImages(const char* upName, const char* downName);
    // The images drawn anew for a DPI (the art is the 96-DPI one, which stays as it is at 96).
    void scaleTo(int dpi);
    // Called by the parent on WM_DRAWITEM: the down image while pressed, the
    // up image otherwise, copied from its top-left corner at the button's size.
    void draw(const DRAWITEMSTRUCT& item, bool showFocus = false) const;

private:
    // The image drawn: the art (scaled), or in high contrast the same in the system's colours.
    HBITMAP image(bool down) const;

    Bitmap up_;
    Bitmap down_;
    Bitmap scaledUp_;
    Bitmap scaledDown_;
    mutable Bitmap contrastUp_;
    mutable Bitmap contrastDown_;
    mutable COLORREF contrastStamp_ = CLR_INVALID;
};

// The art's five colours as the system's: the face, its light and dark edges, the text,
// and the red accent as the highlight. A high-contrast scheme then shows in the tiles.
HBITMAP inSystemColours(HBITMAP art);

// The art at a DPI without blending: its one-pixel frame lines by the whole
// factor DPI/96 rounded down, its inside by DPI/96 rounded to the nearest whole
// factor and kept centred, so a tile's five colours stay five and its edges
// stay at the edges. At 192 DPI it is the art doubled pixel for pixel.
HBITMAP scaleArt(HBITMAP art, int dpi);
