// The item editor: launch items eight at a time, with paging, save-and-page and a browse per row.
#pragma once

#include <array>
#include <string>

#include "EditorRules.h"
#include "framework/Dialog.h"

class ItemEditorDialog : public Dialog {
public:
    // item -1: no particular item, the focus goes to row 0. The block shown first is the
    // one that holds current, the first item of the bar's page.
    ItemEditorDialog(HWND parent, int item, int current);

    int firstItem = 0;
    int focusRow = 0;
    // What the boxes were given: the stored texts cut to an item field.
    std::array<std::string, kEditorRows> rowNames;
    std::array<std::string, kEditorRows> rowCommands;
    // The texts as stored, whole: a box the user left alone is written back with them.
    std::array<std::string, kEditorRows> storedNames;
    std::array<std::string, kEditorRows> storedCommands;

    void loadPage();
    // Writes the page; false (after the error box) when the profile could not be written.
    bool savePage();
    void browseRow(int row);

protected:
    bool onInitDialog() override;
    void onOk() override;
    bool onCommand(int id, int code) override;

private:
    void showRow(int row);
    // At the start the beep comes before saving; at the end, after it.
    void turnPage(PageStep step, bool save, bool beepAfterSave = false);
};
