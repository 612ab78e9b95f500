// When a press becomes a drag: the rule DragDetect applies.
#pragma once

// Whether the pointer, held down since the press, has left the rectangle the
// system's drag distance makes around it (SM_CXDRAG, SM_CYDRAG on either side),
// as DragDetect decides.
constexpr bool beyondDragDistance(int pressX, int pressY, int x, int y, int cx, int cy)
{
    return x < pressX - cx || x >= pressX + cx || y < pressY - cy || y >= pressY + cy;
}
