// The item editor.
#include "ItemEditorDialog.h"

#include "DialogTexts.h"
#include "app/LauncherApp.h"
#include "bar/LauncherBar.h"
#include "framework/FileDialog.h"
#include "framework/PathParts.h"
#include "launch/ItemProfile.h"

namespace {

constexpr int kNextPage = 127;
constexpr int kPreviousPage = 128;
constexpr int kSaveNextPage = 129;
constexpr int kSavePreviousPage = 130;

const WinApp& app()
{
    return *WinApp::instance();
}

} // namespace

ItemEditorDialog::ItemEditorDialog(HWND parent, int item) : Dialog(kItemEditorTemplate, parent), focusRow(focusRowFor(item))
{
}

bool ItemEditorDialog::onInitDialog()
{
    Dialog::onInitDialog();
    LauncherBar* bar = static_cast<LauncherApp*>(WinApp::instance())->bar();
    firstItem = blockStart(bar ? bar->Current : 0);
    loadPage();
    focusControl(focusBoxId(focusRow));
    return false;
}

void ItemEditorDialog::loadPage()
{
    for (int row = 0; row < kEditorRows; ++row) {
        rowNames[row] = readItemName(app(), firstItem + row);
        rowCommands[row] = readItemCommand(app(), firstItem + row);
    }
    for (int row = 0; row < kEditorRows; ++row)
        SetDlgItemInt(hwnd(), numberLabelId(row), static_cast<UINT>(firstItem + row), TRUE);
    for (int row = 0; row < kEditorRows; ++row)
        showRow(row);
}

void ItemEditorDialog::savePage()
{
    // Whole texts first, then cut to the field on a character boundary.
    for (int row = 0; row < kEditorRows; ++row) {
        rowNames[row] = cutToField(itemText(nameBoxId(row)), isAnsiLeadByte);
        rowCommands[row] = cutToField(itemText(commandBoxId(row)), isAnsiLeadByte);
    }
    for (int row = 0; row < kEditorRows; ++row)
        writeItem(app(), firstItem + row, rowNames[row], rowCommands[row]);
}

void ItemEditorDialog::showRow(int row)
{
    SetDlgItemTextA(hwnd(), nameBoxId(row), rowNames[row].c_str());
    SetDlgItemTextA(hwnd(), commandBoxId(row), rowCommands[row].c_str());
}

void ItemEditorDialog::browseRow(int row)
{
    std::optional<std::string> path = chooseFileToOpen(hwnd(), kBrowseFilter, kBrowseInitialName, kBrowseTitle,
                                                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (path) {
        // Stored unquoted; quoting happens when the command is started.
        rowCommands[row] = *path;
        rowNames[row] = splitPath(*path, isAnsiLeadByte).baseName;
    }
    showRow(row);
    focusControl(nameBoxId(row));
}

void ItemEditorDialog::turnPage(PageStep step, bool save, bool beepAfterSave)
{
    if (step.beep && !beepAfterSave)
        MessageBeep(MB_ICONASTERISK);
    if (save)
        savePage();
    if (step.beep && beepAfterSave)
        MessageBeep(MB_ICONASTERISK);
    firstItem = step.firstItem;
    loadPage();
    focusControl(nameBoxId(0));
}

void ItemEditorDialog::onOk()
{
    savePage();
    Dialog::onOk();
}

bool ItemEditorDialog::onCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case kNextPage:
        turnPage(nextBlock(firstItem), false);
        return true;
    case kPreviousPage:
        turnPage(previousBlock(firstItem), false);
        return true;
    case kSaveNextPage:
        turnPage(nextBlock(firstItem), true, true);
        return true;
    case kSavePreviousPage:
        turnPage(previousBlock(firstItem), true);
        return true;
    }
    if (id >= browseButtonId(0) && id < browseButtonId(kEditorRows)) {
        browseRow(id - browseButtonId(0));
        return true;
    }
    return false;
}
