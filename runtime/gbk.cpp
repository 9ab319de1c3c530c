#include "runtime/gbk.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace runtime {

QString DecodeGbk(std::string_view bytes) {
  QStringDecoder decoder("GBK");
  if (!decoder.isValid()) {
    // Only reachable on a Qt built without ICU; ASCII still reads right.
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string EncodeGbk(const QString& text) {
  QStringEncoder encoder("GBK", QStringConverter::Flag::Default);
  if (!encoder.isValid()) return text.toLatin1().toStdString();
  const QByteArray bytes = encoder.encode(text);
  return bytes.toStdString();
}

}  // namespace runtime
