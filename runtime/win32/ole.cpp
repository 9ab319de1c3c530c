// SPDX-License-Identifier: MIT
#include "runtime/win32/ole.h"

#include "runtime/win32/gdi.h"

namespace runtime::ole {

std::int32_t OleCreatePictureIndirect(const PICTDESC* description, const GUID& riid, Boolean own,
                                      PictureRef& object) {
  object.reset();
  if (!(riid == IID_IDispatch || riid == IID_IPicture || riid == IID_IPictureDisp)) return E_NOINTERFACE;
  if (description == nullptr || description->cbSizeofstruct != sizeof(PICTDESC) ||
      description->picType != PICTYPE_BITMAP || !gdi::IsBitmap(description->hbitmap) ||
      (description->hpal != 0 && !gdi::IsPalette(description->hpal))) {
    return E_INVALIDARG;
  }
  object = Picture::FromHandles(description->hbitmap, description->hpal, own != kFalse);
  return object ? S_OK : E_INVALIDARG;
}

}  // namespace runtime::ole
