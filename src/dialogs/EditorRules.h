// The item editor's arithmetic: blocks of eight items, rows, control ids and paging.
#pragma once

#include "bar/BarSettings.h"

constexpr int kEditorRows = 8;

// The block that holds an item starts at a multiple of 8 (truncating toward zero).
constexpr int blockStart(int item) { return (item / kEditorRows) * kEditorRows; }

// The row whose name box takes the focus: -1 means no particular item.
constexpr int focusRowFor(int item) { return item == -1 ? 0 : item % kEditorRows; }

constexpr int nameBoxId(int row) { return row == 0 ? 1000 : 101 + 3 * row; }
constexpr int commandBoxId(int row) { return 102 + 3 * row; }
constexpr int browseButtonId(int row) { return 140 + row; }
constexpr int numberLabelId(int row) { return 1004 + row; }

// The box that takes the focus for a row; a row outside the page falls back to row 0.
constexpr int focusBoxId(int row) { return row >= 0 && row < kEditorRows ? nameBoxId(row) : nameBoxId(0); }

struct PageStep {
    int firstItem;
    bool beep;
};

// Back a block; at item 0 there is nothing further back, and a start that is
// not a block start (hand-edited, negative) goes to 0 quietly.
constexpr PageStep previousBlock(int firstItem)
{
    if (firstItem >= kEditorRows)
        return {firstItem - kEditorRows, false};
    return {0, firstItem == 0};
}

// On a block; the keys end at item 999, so the last block stays.
constexpr PageStep nextBlock(int firstItem)
{
    if (firstItem + kEditorRows > kMaxItem)
        return {firstItem, true};
    return {firstItem + kEditorRows, false};
}
