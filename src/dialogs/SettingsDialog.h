// The settings dialog: number of divisions, always on top, auto-hide.
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

protected:
    bool onInitDialog() override;
    void exchange(DataExchange& dx) override;
    void onOk() override;

private:
    LauncherBar& bar_;
};
