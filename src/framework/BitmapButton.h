// An owner-drawn push button painted from an up and a down bitmap.
#pragma once

#include "Handles.h"
#include "Window.h"

class BitmapButton : public Control {
public:
    // The button is created BS_OWNERDRAW; the images are resources of the module.
    bool create(const char* caption, const RECT& rect, HWND parent, int id);
    bool loadImages(const char* upName, const char* downName);
    // Called by the parent on WM_DRAWITEM: the down image while pressed, the
    // up image otherwise, copied from its top-left corner at the button's size.
    void draw(const DRAWITEMSTRUCT& item) const;

private:
    Bitmap up_;
    Bitmap down_;
};
