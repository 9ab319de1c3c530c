#pragma once

#include <QString>
#include <QStringList>

namespace runtime {

// When a design names `face` and the system lacks it, the first of
// `substitutes` that is installed stands in.
void SubstituteFont(const QString& face, const QStringList& substitutes);

// Qt's own texts (a field's context menu, a message box's buttons) in the
// given language, e.g. "zh_CN", whatever the user's locale. False when the
// translations are not installed; the texts then stay in English.
bool UseLanguage(const QString& localeName);

}  // namespace runtime
