#pragma once

// Owners of Win32 handles. Included only by *_win.cpp files.

#include "base/windows_api.h"

namespace launcher {

template <typename Traits> class ScopedWinHandle {
public:
  using Handle = typename Traits::Handle;
  ScopedWinHandle() = default;
  explicit ScopedWinHandle(Handle handle) : handle_(handle) {}
  ~ScopedWinHandle() { reset(); }
  ScopedWinHandle(const ScopedWinHandle&) = delete;
  ScopedWinHandle& operator=(const ScopedWinHandle&) = delete;
  ScopedWinHandle(ScopedWinHandle&& other) noexcept : handle_(other.release()) {}
  ScopedWinHandle& operator=(ScopedWinHandle&& other) noexcept {
    if (this != &other) {
      reset(other.release());
    }
    return *this;
  }

  bool valid() const { return Traits::IsValid(handle_); }
  Handle get() const { return handle_; }
  Handle release() {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  void reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) {
      Traits::Close(handle_);
    }
    handle_ = handle;
  }

private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { FindClose(h); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};

using ScopedHandle = ScopedWinHandle<KernelHandleTraits>;
using ScopedFindHandle = ScopedWinHandle<FindHandleTraits>;
using ScopedRegistryKey = ScopedWinHandle<RegistryKeyTraits>;

} // namespace launcher
