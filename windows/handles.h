// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <cstdint>

// The system's code holds window and GDI handles as 32-bit numbers. Windows
// keeps user and GDI handles to 32 significant bits, sign-extended on 64-bit
// systems, so they go back and forth without loss.
namespace win32_frontend {

template <class Handle>
Handle ToHandle(std::int32_t value) {
  return reinterpret_cast<Handle>(static_cast<INT_PTR>(value));
}

inline std::int32_t FromHandle(const void* handle) {
  return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(handle));
}

// UTF-16 as the wide API takes it: on Windows wchar_t is UTF-16.
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace win32_frontend
