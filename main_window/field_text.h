// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace main_window {

// A field's text as the calculator reads it, without allocating for the
// short texts the fields hold. Only ASCII ever forms part of a number, so
// every other character becomes one byte 0x80, which the calculator treats
// exactly as it treats the UTF-8 bytes of that character: as something that
// is not part of a number.
class FieldText {
 public:
  explicit FieldText(std::u16string_view text) {
    const std::size_t size = text.size();
    char* out = mShort.data();
    if (size > mShort.size()) {
      mLong.resize(size);
      out = mLong.data();
    }
    for (std::size_t i = 0; i < size; ++i) {
      const char16_t unit = text[i];
      out[i] = unit < 0x80 ? static_cast<char>(unit) : static_cast<char>(0x80);
    }
    mView = std::string_view(out, size);
  }
  FieldText(const FieldText&) = delete;
  FieldText& operator=(const FieldText&) = delete;

  [[nodiscard]] std::string_view View() const { return mView; }

 private:
  std::array<char, 32> mShort{};
  std::string mLong;
  std::string_view mView;
};

}  // namespace main_window
