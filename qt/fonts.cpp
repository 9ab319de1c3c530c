// SPDX-License-Identifier: MIT
#include "qt/fonts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "runtime/values/font_faces.h"

namespace qt_frontend {

QFont ToQFont(const runtime::Font& font) {
  QFont face(ToQString(runtime::ResolvedFamily(font.name)));
  face.setPixelSize(font.PixelSize());
  // Unhinted, the outlines keep their shapes and widths at every scale, and
  // no auto-hinter pass runs over a large CJK face: for the faces that stand
  // in here, that pass alone costs the program 2 MB.
  face.setHintingPreference(QFont::PreferNoHinting);
  face.setWeight(static_cast<QFont::Weight>(font.DrawnWeight()));
  face.setItalic(font.italic);
  face.setUnderline(font.underline);
  face.setStrikeOut(font.strikethrough);
  return face;
}

QColor ToQColor(runtime::Colour colour) { return QColor::fromRgb(runtime::ToRgb(colour)); }

QString InstalledFamily(const QString& family) {
  // From the font database's own list: asking it by name would first have
  // fontconfig work through its alias rules for a face the system lacks,
  // the dearest thing the window would do at start-up.
  static const QHash<QString, QString> families = [] {
    QHash<QString, QString> byName;
    for (const QString& name : QFontDatabase::families()) byName.insert(name.toCaseFolded(), name);
    return byName;
  }();
  return families.value(family.toCaseFolded());
}

void UseInterfaceFont(const runtime::Font& font) {
  QFont face(ToQString(runtime::ResolvedFamily(font.name)));
  face.setPointSizeF(font.size);
  // As the design's fonts are drawn (see ToQFont).
  face.setHintingPreference(QFont::PreferNoHinting);
  QApplication::setFont(face);
}

bool UseLanguage(std::string_view localeName) {
  static std::unique_ptr<QTranslator> installed;
  const QString name = QString::fromUtf8(localeName.data(), static_cast<qsizetype>(localeName.size()));
  QLocale::setDefault(QLocale(name));
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  if (installed) QCoreApplication::removeTranslator(installed.get());
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace qt_frontend
