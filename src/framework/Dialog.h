// Modal dialogs on a template, with data exchange for check boxes and decimal integers.
#pragma once

#include <windows.h>

#include <string>

// Moves values between a dialog's controls and its fields, one way per pass.
class DataExchange {
public:
    DataExchange(HWND dialog, bool toFields) : dialog_(dialog), toFields_(toFields) {}

    bool toFields() const { return toFields_; }
    bool failed() const { return failed_; }

    // Ticked for 1; a value outside 0..2 shows unticked and becomes 0. Read
    // back, a box gives 0 or 1.
    void checkBox(int id, int& value);
    // Decimal text; a text that is not a whole number fails the exchange,
    // after a message box and with the focus put back into the box.
    void integer(int id, int& value);

private:
    HWND dialog_;
    bool toFields_;
    bool failed_ = false;
};

class Dialog {
public:
    Dialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    // Runs the dialog and returns how it ended (IDOK, IDCANCEL), or -1 when it could not open.
    INT_PTR runModal();
    HWND hwnd() const { return hwnd_; }

protected:
    // Fills the controls from the fields; returns true to let the system set the focus.
    virtual bool onInitDialog();
    // Takes the values and ends the dialog with IDOK, unless the exchange fails.
    virtual void onOk();
    virtual void onCancel() { endDialog(IDCANCEL); }
    // Commands other than IDOK and IDCANCEL; true when handled.
    virtual bool onCommand(int id, int code);
    virtual void exchange(DataExchange&) {}

    bool updateData(bool toFields);
    void endDialog(int result) { EndDialog(hwnd_, result); }
    // Moves the focus the way the dialog manager does (WM_NEXTDLGCTL).
    void focusControl(int id);
    // A control's whole text, however long.
    std::string itemText(int id) const;

private:
    static INT_PTR CALLBACK dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
};
