// SPDX-License-Identifier: MIT
#include "runtime/design/gbk.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#if defined(__GLIBC__)
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#endif

namespace runtime {
namespace {

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

#if defined(__GLIBC__)
// The C library's converter is far lighter to start than a full Unicode
// library: the few GBK texts of the designs should not cost the program a
// megabyte of memory.
bool IconvDecode(std::string_view bytes, QString& out) {
  // One converter each way for the program's life, reset before each use;
  // all text work happens on the user-interface thread.
  static const iconv_t converter = iconv_open("UTF-16LE", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  out.reserve(static_cast<qsizetype>(bytes.size()));
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char16_t buffer[256];
  while (inLeft > 0) {
    char* to = reinterpret_cast<char*>(buffer);
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    out.append(reinterpret_cast<const QChar*>(buffer),
               static_cast<qsizetype>((sizeof buffer - toLeft) / sizeof(char16_t)));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte that is not GBK, or a text cut inside a character.
      out.append(QChar::ReplacementCharacter);
      ++in;
      --inLeft;
    }
  }
  return true;
}

bool IconvEncode(const QString& text, std::string& out) {
  static const iconv_t converter = iconv_open("GBK", "UTF-16LE");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
  std::size_t inLeft = static_cast<std::size_t>(text.size()) * sizeof(QChar);
  char buffer[256];
  while (inLeft > 0) {
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    out.append(buffer, sizeof buffer - toLeft);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A character GBK cannot hold.
      out.push_back('?');
      in += sizeof(QChar);
      inLeft -= std::min(inLeft, sizeof(QChar));
    }
  }
  return true;
}
#endif

}  // namespace

QString DecodeGbk(std::string_view bytes) {
  if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
#if defined(__GLIBC__)
  QString text;
  if (IconvDecode(bytes, text)) return text;
#endif
  QStringDecoder decoder("GBK");
  if (!decoder.isValid()) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string EncodeGbk(const QString& text) {
  bool ascii = true;
  for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
  if (ascii) return text.toLatin1().toStdString();
#if defined(__GLIBC__)
  std::string encoded;
  if (IconvEncode(text, encoded)) return encoded;
#endif
  QStringEncoder encoder("GBK", QStringConverter::Flag::Default);
  if (!encoder.isValid()) return text.toLatin1().toStdString();
  const QByteArray bytes = encoder.encode(text);
  return bytes.toStdString();
}

}  // namespace runtime
