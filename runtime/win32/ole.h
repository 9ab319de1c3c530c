// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "runtime/values/boolean.h"
#include "runtime/values/picture.h"

// Creating a picture object from a bitmap, as the platform's OLE library
// does it.
namespace runtime::ole {

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
  bool operator==(const GUID&) const = default;
};

// The bitmap form of a picture description: 20 bytes.
struct PICTDESC {
  std::uint32_t cbSizeofstruct;
  std::uint32_t picType;
  std::int32_t hbitmap;
  std::int32_t hpal;
  std::uint32_t reserved;
};
static_assert(sizeof(PICTDESC) == 20);

inline constexpr std::uint32_t PICTYPE_BITMAP = 1;
inline constexpr std::int32_t S_OK = 0;
inline constexpr std::int32_t E_NOINTERFACE = static_cast<std::int32_t>(0x80004002u);
inline constexpr std::int32_t E_INVALIDARG = static_cast<std::int32_t>(0x80070057u);

inline constexpr GUID IID_IDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
inline constexpr GUID IID_IPictureDisp = {0x7BF80981, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// A new picture of the described bitmap and palette; with `own` it deletes
// them when it goes. On failure `object` stays empty and the handles belong
// to the caller still.
std::int32_t OleCreatePictureIndirect(const PICTDESC* description, const GUID& riid, Boolean own,
                                      PictureRef& object);

}  // namespace runtime::ole
