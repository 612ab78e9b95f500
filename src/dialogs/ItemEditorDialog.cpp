// The item editor.
#include "ItemEditorDialog.h"

#include "DialogTexts.h"
#include "framework/WinApp.h"
#include "framework/FileDialog.h"
#include "framework/PathParts.h"
#include "framework/ProfileValue.h"
#include "launch/CommandResolver.h"
#include "launch/ItemProfile.h"

namespace {

constexpr int kNextPage = 127;
constexpr int kPreviousPage = 128;
constexpr int kSaveNextPage = 129;
constexpr int kSavePreviousPage = 130;

const Profile& profile()
{
    return WinApp::instance()->profile();
}

} // namespace

ItemEditorDialog::ItemEditorDialog(HWND parent, int item, int current)
    : Dialog(kItemEditorTemplate, parent), firstItem(blockStart(current)), focusRow(focusRowFor(item))
{
}

bool ItemEditorDialog::onInitDialog()
{
    Dialog::onInitDialog();
    loadPage();
    focusControl(focusBoxId(focusRow));
    return false;
}

void ItemEditorDialog::loadPage()
{
    for (int row = 0; row < kEditorRows; ++row) {
        storedNames[row] = readItemName(profile(), firstItem + row, std::string::npos);
        storedCommands[row] = readItemCommand(profile(), firstItem + row, std::string::npos);
        rowNames[row] = cutToField(storedNames[row], isAnsiLeadByte);
        rowCommands[row] = cutToField(storedCommands[row], isAnsiLeadByte);
    }
    for (int row = 0; row < kEditorRows; ++row)
        SetDlgItemInt(hwnd(), numberLabelId(row), static_cast<UINT>(firstItem + row), TRUE);
    for (int row = 0; row < kEditorRows; ++row)
        showRow(row);
}

namespace {

// A box still holding what it was given keeps the stored text, however long;
// a changed one is read whole, trimmed as the profile would, then cut to the
// field on a character boundary.
std::string valueToSave(const std::string& boxText, const std::string& given, const std::string& stored)
{
    return boxText == given ? stored : cutToField(trimBlanks(boxText), isAnsiLeadByte);
}

} // namespace

bool ItemEditorDialog::savePage()
{
    std::array<std::string, kEditorRows> names;
    std::array<std::string, kEditorRows> commands;
    for (int row = 0; row < kEditorRows; ++row) {
        names[row] = valueToSave(itemText(nameBoxId(row)), rowNames[row], storedNames[row]);
        commands[row] = valueToSave(itemText(commandBoxId(row)), rowCommands[row], storedCommands[row]);
    }
    // A pasted line break would start a new line of the file: nothing is written.
    for (int row = 0; row < kEditorRows; ++row) {
        bool badName = names[row] != storedNames[row] && hasControlCharacter(names[row]);
        bool badCommand = commands[row] != storedCommands[row] && hasControlCharacter(commands[row]);
        if (badName || badCommand) {
            std::string text = kControlCharacterText + std::to_string(firstItem + row) +
                               (badName ? kControlCharacterInName : kControlCharacterInCommand);
            MessageBeep(MB_ICONHAND);
            showMessageBox(hwnd(), text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND);
            focusControl(badName ? nameBoxId(row) : commandBoxId(row));
            return false;
        }
    }
    ProfileWrites writes(profile());
    for (int row = 0; row < kEditorRows; ++row)
        writeItem(writes, firstItem + row, names[row], commands[row]);
    if (!writes.commit()) {
        profile().reportWriteFailure(hwnd());
        return false;
    }
    for (int row = 0; row < kEditorRows; ++row) {
        storedNames[row] = names[row];
        storedCommands[row] = commands[row];
        rowNames[row] = cutToField(names[row], isAnsiLeadByte);
        rowCommands[row] = cutToField(commands[row], isAnsiLeadByte);
    }
    return true;
}

void ItemEditorDialog::showRow(int row)
{
    SetDlgItemTextA(hwnd(), nameBoxId(row), rowNames[row].c_str());
    SetDlgItemTextA(hwnd(), commandBoxId(row), rowCommands[row].c_str());
}

void ItemEditorDialog::browseRow(int row)
{
    // OFN_NOCHANGEDIR: WinExec searches the current directory first, so a
    // browsed folder must not become where unqualified items are found.
    std::optional<std::string> path = chooseFileToOpen(hwnd(), kBrowseFilter, kBrowseInitialName, kBrowseTitle,
                                                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR);
    if (path && path->size() > kFieldBytes) {
        // It would not fit an item's field, and a cut path names another file.
        MessageBeep(MB_ICONHAND);
    } else if (path) {
        // Stored unquoted; quoting happens when the command is started.
        storedCommands[row] = rowCommands[row] = *path;
        storedNames[row] = rowNames[row] = splitPath(*path, isAnsiLeadByte).baseName;
    }
    showRow(row);
    focusControl(nameBoxId(row));
}

void ItemEditorDialog::turnPage(PageStep step, bool save, bool beepAfterSave)
{
    if (step.beep && !beepAfterSave)
        MessageBeep(MB_ICONASTERISK);
    // Not saved: the page stays, so nothing typed is lost.
    if (save && !savePage())
        return;
    if (step.beep && beepAfterSave)
        MessageBeep(MB_ICONASTERISK);
    firstItem = step.firstItem;
    loadPage();
    focusControl(nameBoxId(0));
}

void ItemEditorDialog::onOk()
{
    if (savePage())
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
