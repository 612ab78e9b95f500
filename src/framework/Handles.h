// Move-only owners of GDI and USER handles.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle, BOOL(WINAPI* Free)(Handle)>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept
    {
        reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr)
    {
        if (handle_)
            Free(handle_);
        handle_ = handle;
    }
    // For a handle that was destroyed by other means: forget it without freeing.
    void forget() { handle_ = nullptr; }

private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI deleteFont(HFONT font) { return DeleteObject(font); }
inline BOOL WINAPI deleteBitmap(HBITMAP bitmap) { return DeleteObject(bitmap); }
inline BOOL WINAPI deleteBrush(HBRUSH brush) { return DeleteObject(brush); }

using Font = Owned<HFONT, deleteFont>;
using Bitmap = Owned<HBITMAP, deleteBitmap>;
using Brush = Owned<HBRUSH, deleteBrush>;
using Menu = Owned<HMENU, DestroyMenu>;
using Icon = Owned<HICON, DestroyIcon>;

// Selects an object into a DC for the length of a scope.
class DcSelection {
public:
    DcSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~DcSelection() { SelectObject(dc_, previous_); }
    DcSelection(const DcSelection&) = delete;
    DcSelection& operator=(const DcSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() { if (dc_) DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};
