// The settings dialog.
#include "SettingsDialog.h"

#include <commctrl.h>

#include "DialogTexts.h"
#include "bar/BarSettings.h"
#include "bar/LauncherBar.h"
#include "framework/WinApp.h"

namespace {

constexpr int kCountBox = 1000;
constexpr int kSpin = 1013;
constexpr int kOverTopBox = 1014;
constexpr int kSilentBox = 1015;

} // namespace

SettingsDialog::SettingsDialog(LauncherBar& bar)
    : Dialog(kSettingsTemplate, bar.hwnd()), OverTop(bar.OverTop), Silent(bar.Silent), MenuSize(bar.MenuSize),
      bar_(bar)
{
    // The spin control's class must exist before the template is read.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
}

bool SettingsDialog::onInitDialog()
{
    bool result = Dialog::onInitDialog();
    // Without a range the control counts from 100 down to 0, so its up arrow
    // would lower the count. Setting it leaves the box's text alone.
    SendDlgItemMessageA(hwnd(), kSpin, UDM_SETRANGE32, kMinMenuSize, kMaxMenuSize);
    return result;
}

void SettingsDialog::exchange(DataExchange& dx)
{
    dx.checkBox(kOverTopBox, OverTop);
    dx.checkBox(kSilentBox, Silent);
    dx.integer(kCountBox, MenuSize);
}

void SettingsDialog::onOk()
{
    if (!updateData(true))
        return;
    if (MenuSize < kMinMenuSize) {
        MessageBeep(MB_ICONASTERISK);
        showMessageBox(hwnd(), kMenuSizeMinimumText, kInformationCaption, MB_OK | MB_ICONINFORMATION);
        MenuSize = kMinMenuSize;
    }
    if (MenuSize > kMaxMenuSize) {
        MessageBeep(MB_ICONASTERISK);
        showMessageBox(hwnd(), kMenuSizeMaximumText, kInformationCaption, MB_OK | MB_ICONINFORMATION);
        MenuSize = kMaxMenuSize;
    }
    const WinApp& app = *WinApp::instance();
    const int before[] = {bar_.MenuSize, bar_.OverTop, bar_.Silent};
    ProfileWrites writes(app);
    writes.writeInt("Env", "Current", bar_.Current);
    bar_.MenuSize = MenuSize;
    writes.writeInt("Env", "MenuSize", bar_.MenuSize);
    bar_.OverTop = OverTop;
    writes.writeInt("Env", "OverTop", bar_.OverTop);
    bar_.Silent = Silent;
    writes.writeInt("Env", "Silent", bar_.Silent);
    writes.write("Env", "MenuPos", std::to_string(bar_.MenuPos));
    if (!writes.commit()) {
        // Not saved: the bar keeps its settings and the dialog stays open, to try again or cancel.
        bar_.MenuSize = before[0];
        bar_.OverTop = before[1];
        bar_.Silent = before[2];
        app.reportWriteFailure(hwnd());
        return;
    }
    endDialog(IDOK);
}
