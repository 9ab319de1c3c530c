// SPDX-License-Identifier: MIT
#include "runtime/platform/interface_setup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <memory>

#include "runtime/values/font.h"

namespace runtime {

namespace {

QHash<QString, QString>& ResolvedFamilies() {
  static QHash<QString, QString> resolved;
  return resolved;
}

// Whether a family is installed, from the font database's own list: asking
// it by name would first have fontconfig work through its alias rules for a
// face the system lacks, the dearest thing the window would do at start-up.
// Family names match without regard to case (Qt keeps substitutes in lower
// case); the answer is the family's own spelling, or empty.
QString Installed(const QString& family) {
  static const QHash<QString, QString> families = [] {
    QHash<QString, QString> byName;
    for (const QString& name : QFontDatabase::families()) byName.insert(name.toCaseFolded(), name);
    return byName;
  }();
  return families.value(family.toCaseFolded());
}

}  // namespace

void SubstituteFont(const QString& face, const QStringList& substitutes) {
  QFont::removeSubstitutions(face);
  QFont::insertSubstitutions(face, substitutes);
  ResolvedFamilies().remove(face);
}

QString InstalledFamily(const QString& face) {
  QHash<QString, QString>& resolved = ResolvedFamilies();
  if (const auto found = resolved.constFind(face); found != resolved.constEnd()) return *found;
  QString family = Installed(face);
  for (const QString& substitute : QFont::substitutes(face)) {
    if (!family.isEmpty()) break;
    family = Installed(substitute);
  }
  if (family.isEmpty()) family = face;
  // Designs name a handful of faces; a bound keeps a stream of different
  // names from growing the table without end.
  constexpr qsizetype kRemembered = 64;
  if (resolved.size() >= kRemembered) resolved.clear();
  resolved.insert(face, family);
  return family;
}

QString FamilyThatFits(const QStringList& families, const Font& font, const QStringList& texts, int room) {
  QString narrowest;
  int narrowestWidth = 0;
  for (const QString& candidate : families) {
    const QString family = Installed(candidate);
    if (family.isEmpty()) continue;
    QFont face = font.ToQFont();
    face.setFamily(family);
    const QFontMetrics metrics(face);
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
    if (widest <= room) return family;
    if (narrowest.isEmpty() || widest < narrowestWidth) {
      narrowest = family;
      narrowestWidth = widest;
    }
  }
  return narrowest;
}

void UseInterfaceFont(const QString& face, double points) {
  QFont font(InstalledFamily(face));
  font.setPointSizeF(points);
  // As the design's fonts are drawn (see Font::ToQFont).
  font.setHintingPreference(QFont::PreferNoHinting);
  QApplication::setFont(font);
}

bool UseLanguage(const QString& localeName) {
  static std::unique_ptr<QTranslator> installed;
  QLocale::setDefault(QLocale(localeName));
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + localeName,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  if (installed) QCoreApplication::removeTranslator(installed.get());
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace runtime
