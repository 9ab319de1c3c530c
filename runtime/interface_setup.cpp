#include "runtime/interface_setup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace runtime {

void SubstituteFont(const QString& face, const QStringList& substitutes) {
  QFont::removeSubstitutions(face);
  QFont::insertSubstitutions(face, substitutes);
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
