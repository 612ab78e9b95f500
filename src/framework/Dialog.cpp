// Modal dialogs and their data exchange.
#include "Dialog.h"

#include "FrameworkTexts.h"
#include "NumberText.h"
#include "Window.h"
#include "WinApp.h"


void DataExchange::checkBox(int id, int& value)
{
    HWND box = GetDlgItem(dialog_, id);
    if (toFields_) {
        value = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        return;
    }
    if (value < 0 || value > 2)
        value = 0;
    SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DataExchange::integer(int id, int& value)
{
    if (failed_)
        return;
    if (!toFields_) {
        SetDlgItemTextA(dialog_, id, std::to_string(value).c_str());
        return;
    }
    // The whole text: a pasted long number is judged whole, not by its first bytes.
    if (std::optional<int> number = parseDecimal(controlText(GetDlgItem(dialog_, id)))) {
        value = *number;
        return;
    }
    // A request to type again, like the settings dialog's corrections: information, not a warning.
    MessageBeep(MB_ICONASTERISK);
    showMessageBox(dialog_, kInvalidNumberText, kInformationCaption, MB_OK | MB_ICONINFORMATION);
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, id)), TRUE);
    failed_ = true;
}

INT_PTR Dialog::runModal()
{
    ModalLoop modal;
    return DialogBoxParamA(WinApp::instance()->instanceHandle(), MAKEINTRESOURCEA(templateId_), parent_, dispatch,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::onInitDialog()
{
    updateData(false);
    return true;
}

void Dialog::onOk()
{
    if (updateData(true))
        endDialog(IDOK);
}

bool Dialog::onCommand(int, int)
{
    return false;
}

bool Dialog::updateData(bool toFields)
{
    DataExchange dx(hwnd_, toFields);
    exchange(dx);
    return !dx.failed();
}

void Dialog::focusControl(int id)
{
    SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, id)), TRUE);
}

std::string Dialog::itemText(int id) const
{
    return controlText(GetDlgItem(hwnd_, id));
}

INT_PTR CALLBACK Dialog::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    INT_PTR result = self->dialogProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if (id == IDOK && code == BN_CLICKED)
            onOk();
        else if (id == IDCANCEL && code == BN_CLICKED)
            onCancel();
        else
            return onCommand(id, code) ? TRUE : FALSE;
        return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        WinApp* app = WinApp::instance();
        if (!app->dialogBrush())
            return FALSE;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, app->dialogTextColor());
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(app->dialogBrush());
    }
    }
    (void)lParam;
    return FALSE;
}
