#pragma once
// Small owners for the operating-system handles the program opens, so each
// is released on every path.
#include <windows.h>
#include <objbase.h>

#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }
    // Gives the handle up, for ownership handed to the system.
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (Valid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;

struct GlobalMemoryTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;

struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
using IconHandle = UniqueHandle<HICON, IconTraits>;

// Text the shell allocates for the caller, such as a known folder's path.
struct CoTaskTextTraits {
    static wchar_t* Invalid() { return nullptr; }
    static void Close(wchar_t* text) { CoTaskMemFree(text); }
};
using CoTaskText = UniqueHandle<wchar_t*, CoTaskTextTraits>;

// A window's device context with a font chosen into it, both given back when the owner goes.
class WindowDc {
public:
    WindowDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
        if (dc_) previousFont_ = SelectObject(dc_, font);
    }
    ~WindowDc() {
        if (!dc_) return;
        SelectObject(dc_, previousFont_);
        ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previousFont_ = nullptr;
};

// Locked global memory, unlocked when the owner goes.
template <typename T>
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(static_cast<T*>(GlobalLock(memory))) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    T* Get() const { return data_; }

private:
    HGLOBAL memory_;
    T* data_;
};
