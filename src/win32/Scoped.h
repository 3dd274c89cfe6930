#pragma once
// Ownership of the system's resources on the Windows side. Each type owns one handle, device
// context or selection from the moment it exists and gives it back when its scope ends, so
// no code path frees, releases or restores by hand:
//
//   ScopedHandle        a kernel object (CloseHandle); null and INVALID_HANDLE_VALUE own nothing
//   ScopedFont, ScopedBrush, ScopedBitmap, ScopedRegion   GDI objects (DeleteObject)
//   ScopedIcon          an icon made by LoadImage or CreateIcon (DestroyIcon)
//   ScopedMemoryDC      a DC made by CreateCompatibleDC (DeleteDC)
//   ScopedGetDC         a window's or the screen's DC from GetDC (ReleaseDC)
//   ScopedSelectObject  an object selected into a DC; the one it replaced comes back
//   ScopeGuard          anything else (from the portable core)
//
// LoadProc<Fn>(module, name) looks up a function at run time with its declared type.
#include <windows.h>

#include <type_traits>
#include <utility>

#include "core/common/ScopeGuard.h"

namespace korva {

// Owns one handle described by Traits: Traits::Handle, Traits::IsValid(h), Traits::Free(h).
template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) noexcept : handle_(handle) {}
    ~Owned() { Close(); }
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return Traits::IsValid(handle_); }
    explicit operator bool() const noexcept { return Valid(); }

    // Gives the handle up without freeing it (the system or another owner takes it over).
    Handle Release() noexcept { return std::exchange(handle_, Handle{}); }
    // Frees the handle held now and owns `handle` instead.
    void Reset(Handle handle = Handle{}) noexcept {
        Close();
        handle_ = handle;
    }
    // Frees the handle now. False only when the system refused to free a valid handle (a
    // file's close can report a failed write); true when there was nothing to free.
    bool Close() noexcept {
        const Handle handle = Release();
        return !Traits::IsValid(handle) || Traits::Free(handle);
    }

private:
    Handle handle_{};
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Free(HANDLE h) noexcept { return CloseHandle(h) != FALSE; }
};

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static bool IsValid(T h) noexcept { return h != nullptr; }
    static bool Free(T h) noexcept { return DeleteObject(h) != FALSE; }
};

struct IconTraits {
    using Handle = HICON;
    static bool IsValid(HICON h) noexcept { return h != nullptr; }
    static bool Free(HICON h) noexcept { return DestroyIcon(h) != FALSE; }
};

struct MemoryDCTraits {
    using Handle = HDC;
    static bool IsValid(HDC h) noexcept { return h != nullptr; }
    static bool Free(HDC h) noexcept { return DeleteDC(h) != FALSE; }
};

using ScopedHandle = Owned<KernelHandleTraits>;
template <typename T>
using ScopedGdiObject = Owned<GdiObjectTraits<T>>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedIcon = Owned<IconTraits>;
using ScopedMemoryDC = Owned<MemoryDCTraits>;

// The DC of a window, or of the screen for a null window, for the length of a scope.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and, when the scope ends, selects back the object it replaced,
// whatever was selected in between. A null DC or object selects nothing.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelectObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A function of a module looked up at run time, typed as its declaration says:
//     auto open = LoadProc<decltype(ShellExecuteA)>(shell, "ShellExecuteA");
// Null when the module is null or does not export the name.
template <typename Fn>
Fn* LoadProc(HMODULE module, const char* name) noexcept {
    static_assert(std::is_function_v<Fn>, "LoadProc takes a function type, e.g. decltype(ShellExecuteA)");
    if (!module) return nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace korva
