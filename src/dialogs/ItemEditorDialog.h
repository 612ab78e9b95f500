// The item editor: launch items eight at a time, with paging, save-and-page and a browse per row.
#pragma once

#include <array>
#include <string>

#include "EditorRules.h"
#include "framework/Dialog.h"

class ItemEditorDialog : public Dialog {
public:
    // item -1: no particular item, the focus goes to row 0.
    ItemEditorDialog(HWND parent, int item);

    int firstItem = 0;
    int focusRow = 0;
    std::array<std::string, kEditorRows> rowNames;
    std::array<std::string, kEditorRows> rowCommands;

    void loadPage();
    void savePage();
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
