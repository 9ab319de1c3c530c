// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

#include "runtime/values/colour.h"
#include "runtime/values/font.h"

// Text, fonts, colours and Qt's own texts: what the runtime's values become
// on Qt.
namespace qt_frontend {

// The runtime's text as Qt's, unit for unit. (Qt's own conversions from
// UTF-16 take a leading U+FEFF or U+FFFE for a byte order mark: they drop
// the one and byte-swap the whole text after the other.)
inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The face to draw a runtime font in: the family that draws its name (see
// runtime/values/font_faces.h), in logical pixels, unhinted.
QFont ToQFont(const runtime::Font& font);

QColor ToQColor(runtime::Colour colour);

// The family's own spelling when a family of that name (any case) is
// installed; empty otherwise.
QString InstalledFamily(const QString& family);

// The face of Qt's own texts (a field's context menu, tooltips, message
// boxes): for a Chinese interface, a Chinese face rather than whatever the
// desktop's default lacks.
void UseInterfaceFont(const runtime::Font& font);

// Qt's own texts (a field's context menu, a message box's buttons) in the
// given language, e.g. "zh_CN", whatever the user's locale. False when the
// translations are not installed; the texts then stay in English.
bool UseLanguage(std::string_view localeName);

}  // namespace qt_frontend
