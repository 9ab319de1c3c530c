// SPDX-License-Identifier: MIT
#include "runtime/design/property_bag.h"

#include <array>
#include <cmath>
#include <cstring>

#include "runtime/design/ascii_case.h"
#include "runtime/design/gbk.h"
#include "runtime/runtime_error.h"
#include "runtime/values/text.h"

namespace runtime {
namespace {

using Guid = std::array<std::uint8_t, 16>;

// Class identifiers as stored: Data1, Data2 and Data3 little-endian, then Data4.
constexpr Guid kFontClass = {0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                             0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
constexpr Guid kPictureClass = {0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                                0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
constexpr Guid kNothing = {};

enum TypeCode : std::uint16_t {
  kEmpty = 0,
  kInteger = 2,
  kLong = 3,
  kDouble = 5,
  kString = 8,
  kBoolean = 11,
  kObject = 13,
};

constexpr std::uint8_t kItalic = 0x02;
constexpr std::uint8_t kUnderline = 0x04;
constexpr std::uint8_t kStrikethrough = 0x08;
constexpr std::size_t kLongestName = 255;

// Reads the binary form without ever going past its end.
class Reader {
 public:
  // With `pictureFiles`, pictures go there undecoded: only their files are wanted.
  explicit Reader(std::string_view bytes, std::vector<std::string>* pictureFiles = nullptr)
      : mBytes(bytes), mPictureFiles(pictureFiles) {}

  [[nodiscard]] bool AtEnd() const { return mPos == mBytes.size(); }
  [[nodiscard]] std::vector<std::string>* PictureFiles() const { return mPictureFiles; }
  void SetEntry(std::string name) { mEntry = std::move(name); }

  [[noreturn]] void Fail(const std::string& what) const {
    Raise(kLoadError, mEntry.empty() ? "saved settings: " + what : "saved setting '" + mEntry + "': " + what);
  }

  std::string_view Take(std::size_t count) {
    if (count > mBytes.size() - mPos) Fail("the settings end too early");
    const std::string_view out = mBytes.substr(mPos, count);
    mPos += count;
    return out;
  }
  std::uint8_t U8() { return static_cast<std::uint8_t>(Take(1)[0]); }
  std::uint16_t U16() {
    const std::string_view b = Take(2);
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | static_cast<std::uint8_t>(b[1]) << 8);
  }
  std::uint32_t U32() {
    const std::string_view b = Take(4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(b[static_cast<std::size_t>(i)]);
    return value;
  }
  std::u16string Utf16() {
    const std::uint32_t count = U32();
    if (count > (mBytes.size() - mPos) / 2) Fail("a text runs past the end");
    std::u16string text(count, u'\0');
    for (std::uint32_t i = 0; i < count; ++i) text[i] = static_cast<char16_t>(U16());
    return text;
  }

 private:
  std::string_view mBytes;
  std::size_t mPos = 0;
  std::vector<std::string>* mPictureFiles;
  std::string mEntry;
};

class Writer {
 public:
  void U8(std::uint8_t v) { mOut.push_back(static_cast<char>(v)); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void Bytes(std::string_view bytes) { mOut.append(bytes); }
  void Utf16(std::u16string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    for (const char16_t c : text) U16(c);
  }
  std::string Take() { return std::move(mOut); }

 private:
  std::string mOut;
};

FontRef ReadFont(Reader& in) {
  if (in.U8() != 1) in.Fail("unknown font version");
  auto font = std::make_shared<Font>();
  font->charset = static_cast<std::int16_t>(in.U16());
  const std::uint8_t attributes = in.U8();
  if ((attributes & ~(kItalic | kUnderline | kStrikethrough)) != 0) in.Fail("unknown font attributes");
  font->italic = (attributes & kItalic) != 0;
  font->underline = (attributes & kUnderline) != 0;
  font->strikethrough = (attributes & kStrikethrough) != 0;
  font->weight = static_cast<std::int16_t>(in.U16());
  font->size = in.U32() / 10000.0;
  const std::string_view name = in.Take(in.U8());
  font->name = DecodeGbk(name);
  // Only names that come back as the same bytes, so saving changes nothing.
  if (EncodeGbk(font->name) != name) in.Fail("the font name is not GBK text");
  return font;
}

void WriteFont(Writer& out, const Font& font) {
  const std::string name = EncodeGbk(font.name);
  const double size = std::round(font.size * 10000);
  if (name.size() > kLongestName || !(size >= 0 && size <= 4294967295.0)) Raise(kInvalidPropertyValue);
  out.U8(1);
  out.U16(static_cast<std::uint16_t>(font.charset));
  out.U8(static_cast<std::uint8_t>((font.italic ? kItalic : 0) | (font.underline ? kUnderline : 0) |
                                   (font.strikethrough ? kStrikethrough : 0)));
  out.U16(static_cast<std::uint16_t>(font.weight));
  out.U32(static_cast<std::uint32_t>(size));
  out.U8(static_cast<std::uint8_t>(name.size()));
  out.Bytes(name);
}

Variant ReadObject(Reader& in) {
  Guid id{};
  const std::string_view raw = in.Take(id.size());
  std::memcpy(id.data(), raw.data(), id.size());
  if (id == kNothing) return Variant::Nothing();
  if (id == kFontClass) return Variant::FromFont(ReadFont(in));
  if (id != kPictureClass) in.Fail("unknown kind of object");
  if (in.Take(4) != std::string_view("lt\0\0", 4)) in.Fail("the picture has no header");
  const std::string_view file = in.Take(in.U32());
  if (std::vector<std::string>* files = in.PictureFiles()) {
    files->emplace_back(file);
    return Variant::Nothing();
  }
  PictureRef picture = Picture::FromFile(std::string(file));
  if (!picture) in.Fail("the picture cannot be read");
  return Variant::FromPicture(std::move(picture));
}

Variant ReadValue(Reader& in, std::uint16_t type) {
  switch (type) {
    case kEmpty: return {};
    case kInteger: return Variant::FromInteger(static_cast<std::int16_t>(in.U16()));
    case kLong: return Variant::FromLong(static_cast<std::int32_t>(in.U32()));
    case kDouble: {
      std::uint64_t bits = in.U32();
      bits |= static_cast<std::uint64_t>(in.U32()) << 32;
      double value = 0;
      std::memcpy(&value, &bits, sizeof value);
      return Variant::FromDouble(value);
    }
    case kString: return Variant::FromString(in.Utf16());
    case kBoolean: {
      const auto value = static_cast<std::int16_t>(in.U16());
      if (value != 0 && value != -1) in.Fail("a Boolean is neither True nor False");
      return Variant::FromBoolean(value);
    }
    case kObject: return ReadObject(in);
    default: in.Fail("unknown type " + std::to_string(type));
  }
}

void WriteValue(Writer& out, const Variant& value) {
  std::visit(
      [&out](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Variant::Empty>) {
          out.U16(kEmpty);
        } else if constexpr (std::is_same_v<T, Variant::Integer>) {
          out.U16(kInteger);
          out.U16(static_cast<std::uint16_t>(v.value));
        } else if constexpr (std::is_same_v<T, Variant::Long>) {
          out.U16(kLong);
          out.U32(static_cast<std::uint32_t>(v.value));
        } else if constexpr (std::is_same_v<T, Variant::Bool>) {
          out.U16(kBoolean);
          out.U16(static_cast<std::uint16_t>(v.value));
        } else if constexpr (std::is_same_v<T, double>) {
          std::uint64_t bits = 0;
          std::memcpy(&bits, &v, sizeof bits);
          out.U16(kDouble);
          out.U32(static_cast<std::uint32_t>(bits));
          out.U32(static_cast<std::uint32_t>(bits >> 32));
        } else if constexpr (std::is_same_v<T, std::u16string>) {
          out.U16(kString);
          out.Utf16(v);
        } else if constexpr (std::is_same_v<T, FontRef>) {
          out.U16(kObject);
          if (!v) {
            out.Bytes(std::string_view(reinterpret_cast<const char*>(kNothing.data()), kNothing.size()));
            return;
          }
          out.Bytes(std::string_view(reinterpret_cast<const char*>(kFontClass.data()), kFontClass.size()));
          WriteFont(out, *v);
        } else {  // PictureRef
          out.U16(kObject);
          if (!v) {
            out.Bytes(std::string_view(reinterpret_cast<const char*>(kNothing.data()), kNothing.size()));
            return;
          }
          out.Bytes(std::string_view(reinterpret_cast<const char*>(kPictureClass.data()), kPictureClass.size()));
          const std::string file = v->FileBytes();
          out.Bytes(std::string_view("lt\0\0", 4));
          out.U32(static_cast<std::uint32_t>(file.size()));
          out.Bytes(file);
        }
      },
      value.Get());
}

bool IsStoredName(std::u16string_view name) {
  if (name.empty() || name.size() > kLongestName) return false;
  for (const char16_t u : name) {
    if (!((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_')) return false;
  }
  return true;
}

}  // namespace

Variant PropertyBag::ReadProperty(std::string_view name, const Variant& defaultValue) const {
  for (const Entry& entry : mEntries) {
    if (SameIgnoringAsciiCase(entry.name, name)) return entry.value;
  }
  return defaultValue;
}

void PropertyBag::WriteProperty(std::string_view name, const Variant& value) {
  for (Entry& entry : mEntries) {
    if (SameIgnoringAsciiCase(entry.name, name)) {
      entry.value = value;
      return;
    }
  }
  mEntries.push_back({std::string(name), value});
}

void PropertyBag::WriteProperty(std::string_view name, const Variant& value, const Variant& defaultValue) {
  if (value.SameAs(defaultValue)) {
    std::erase_if(mEntries, [&](const Entry& entry) { return SameIgnoringAsciiCase(entry.name, name); });
    return;
  }
  WriteProperty(name, value);
}

namespace {

std::vector<PropertyBag::Entry> ReadEntries(Reader& in) {
  std::vector<PropertyBag::Entry> entries;
  while (!in.AtEnd()) {
    in.SetEntry({});
    const std::u16string name = in.Utf16();
    if (!IsStoredName(name)) in.Fail("a setting's name must be lower-case letters, digits or _");
    std::string key(name.begin(), name.end());
    in.SetEntry(key);
    for (const PropertyBag::Entry& entry : entries) {
      if (entry.name == key) in.Fail("the setting is stored twice");
    }
    Variant value = ReadValue(in, in.U16());
    entries.push_back({std::move(key), std::move(value)});
  }
  return entries;
}

}  // namespace

PropertyBag PropertyBag::FromBytes(std::string_view bytes) {
  Reader in(bytes);
  PropertyBag bag;
  bag.mEntries = ReadEntries(in);
  return bag;
}

std::vector<std::string> PropertyBag::PictureFiles(std::string_view bytes) {
  std::vector<std::string> files;
  Reader in(bytes, &files);
  try {
    ReadEntries(in);
  } catch (const RuntimeError&) {
  }
  return files;
}

std::string PropertyBag::ToBytes() const {
  Writer out;
  for (const Entry& entry : mEntries) {
    out.Utf16(Utf16(ToAsciiLower(entry.name)));
    WriteValue(out, entry.value);
  }
  return out.Take();
}

}  // namespace runtime
