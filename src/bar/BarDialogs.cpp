// The bar's dialogs: the about box, the settings dialog and the item editor, from the menu and from a launch button.
#include "LauncherBar.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/ItemEditorDialog.h"
#include "dialogs/SettingsDialog.h"

INT_PTR LauncherBar::openAbout()
{
    Dialog about(kAboutTemplate, hwnd());
    return about.runModal();
}

INT_PTR LauncherBar::openSettings()
{
    SettingsDialog dialog(*this);
    INT_PTR result = dialog.runModal();
    if (result == IDOK) {
        registerHotKey();
        layout();
    }
    return result;
}

INT_PTR LauncherBar::openItemEditor()
{
    ItemEditorDialog dialog(hwnd(), -1);
    INT_PTR result = dialog.runModal();
    if (result == IDOK)
        layout();
    return result;
}

void LauncherBar::editItem(LaunchButton& button)
{
    int item = itemNumber(button.slot);
    // The editor takes its block from Current.
    int remembered = Current;
    Current = item;
    {
        ItemEditorDialog dialog(button.hwnd(), item);
        dialog.runModal();
    }
    Current = remembered;
    // Destroys every launch button, the caller's too: its handler must not touch it afterwards.
    layout();
}
