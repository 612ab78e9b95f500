// The settings dialog: number of divisions, always on top, auto-hide, and the options beyond them.
#pragma once

#include <array>
#include <cstddef>

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
    static constexpr std::size_t kNewerControls = 4;
    // The check boxes, the monitor chosen and the hotkey, as the controls show them.
    std::array<int, kNewerControls> newerControlStates() const;

    LauncherBar& bar_;
    std::array<int, kNewerControls> shownAtOpen_{};
};
