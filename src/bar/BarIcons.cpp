// Program icons on the launch buttons: each command's icon loaded once, drawn left of the item's name.
#include "BarIcons.h"

#include <algorithm>

#include "framework/Dpi.h"
#include "framework/LateBound.h"
#include "framework/WinApp.h"
#include "launch/StartCommand.h"

namespace {

constexpr int kIconSize = 16;
// More commands than pages a user turns through in a while.
constexpr std::size_t kMostCachedIcons = 128;

// The icon of what a command starts, as the shell shows it, or none.
HICON iconFor(const std::string& command, int size)
{
    if (command.empty())
        return nullptr;
    ResolvedCommand resolved = resolveCommand(command, systemFileLookup(), isAnsiLeadByte);
    if (resolved.kind == StartKind::missing)
        return nullptr;
    SHFILEINFOA info{};
    // Drawn at the exact size for the DPI from where the shell keeps the icon; where it
    // keeps none it can name, the system's size, stretched.
    if (lateBound::shGetFileInfoA(resolved.file.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) &&
        info.szDisplayName[0]) {
        HICON icon = nullptr;
        if (lateBound::shDefExtractIconA(info.szDisplayName, info.iIcon, 0, &icon, nullptr,
                                         static_cast<UINT>(size)) == S_OK && icon)
            return icon;
    }
    UINT which = size > kIconSize ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    if (!lateBound::shGetFileInfoA(resolved.file.c_str(), 0, &info, sizeof info, SHGFI_ICON | which))
        return nullptr;
    return info.hIcon;
}

} // namespace

PageIcons::Slots PageIcons::request(const Commands& commands, int count, int dpi, bool on, bool& loadWanted)
{
    Slots changed{};
    loadWanted = false;
    if (!on) {
        slots_.fill(nullptr);
        return changed;
    }
    if (dpi_ != dpi) {
        slots_.fill(nullptr);
        cache_.clear();
        dpi_ = dpi;
    }
    // Known ones at once; a command not seen yet waits until the page is painted.
    bool missing = false;
    for (int slot = 0; slot < kMaxSlots; ++slot) {
        HICON icon = nullptr;
        if (slot < count) {
            auto known = std::find_if(cache_.begin(), cache_.end(),
                                      [&](const auto& entry) { return entry.first == commands[slot]; });
            if (known != cache_.end())
                icon = known->second.get();
            else
                missing = true;
        }
        if (icon == slots_[slot])
            continue;
        slots_[slot] = icon;
        changed[slot] = slot < count;
    }
    if (missing && !loadPosted_) {
        loadPosted_ = true;
        loadWanted = true;
    }
    return changed;
}

PageIcons::Slots PageIcons::load(const Commands& commands, int count, bool on)
{
    Slots changed{};
    loadPosted_ = false;
    if (!on)
        return changed;
    if (cache_.size() > kMostCachedIcons) {
        // The page's icons are borrowed from the cache: looked up again below.
        slots_.fill(nullptr);
        cache_.clear();
    }
    int size = scaled(kIconSize, dpi_);
    for (int slot = 0; slot < count; ++slot) {
        const std::string& command = commands[slot];
        auto known = std::find_if(cache_.begin(), cache_.end(), [&](const auto& entry) { return entry.first == command; });
        if (known == cache_.end()) {
            cache_.emplace_back(command, Icon(iconFor(command, size)));
            known = cache_.end() - 1;
        }
        if (slots_[slot] != known->second.get()) {
            slots_[slot] = known->second.get();
            changed[slot] = true;
        }
    }
    return changed;
}

void drawLaunchButton(const DRAWITEMSTRUCT& item, HICON icon, const std::string& name, HFONT font, int dpi)
{
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pushed = (item.itemState & ODS_SELECTED) != 0;
    // The push button's own frame and face.
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT inner{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    if (pushed)
        OffsetRect(&inner, 1, 1);
    int size = scaled(kIconSize, dpi);
    if (icon) {
        int top = inner.top + (inner.bottom - inner.top - size) / 2;
        DrawIconEx(dc, inner.left + 1, top, icon, size, size, 0, nullptr, DI_NORMAL);
        inner.left += size + 3;
    }
    DcSelection selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    // Centred as on a push button; a name too long for the room beside the icon shows its start.
    RECT needed = inner;
    DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &needed, DT_SINGLELINE | DT_CALCRECT);
    UINT align = needed.right - needed.left > inner.right - inner.left ? DT_LEFT | DT_END_ELLIPSIS : DT_CENTER;
    DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &inner, DT_SINGLELINE | DT_VCENTER | align);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        DrawFocusRect(dc, &focus);
    }
}
