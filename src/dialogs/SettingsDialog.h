// The settings dialog: number of divisions, always on top, auto-hide, and the options beyond them.
#pragma once

#include "framework/Dialog.h"

class LauncherBar;

class SettingsDialog : public Dialog {
public:
    // Starts from the bar's values in memory; the bar is also the parent.
    explicit SettingsDialog(LauncherBar& bar);

    int OverTop;
    int Silent;
    int MenuSize;
    // Written only when the user changed them, so a profile without them stays without them.
    int AppBar;
    int ShowIcons;
    int Monitor;
    int HotKey;

protected:
    bool onInitDialog() override;
    void exchange(DataExchange& dx) override;
    void onOk() override;

private:
    LauncherBar& bar_;
};
