// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace runtime {

struct Font;

// When a design names `face` and the system lacks it, the first of
// `substitutes` that is installed stands in.
void SubstituteFont(const QString& face, const QStringList& substitutes);

// The installed family that draws `face`: the face itself when installed,
// else the first installed of its substitutes, else the face (and Qt's own
// fallback). Resolved once per face.
QString InstalledFamily(const QString& face);

// Of `families`, the first installed one in which each of `texts`, at the
// size of `font`, takes at most `room` pixels; failing that, the installed
// one in which the widest of them is narrowest; empty when none is installed.
// How a stand-in for a missing face is chosen by what it has to show.
QString FamilyThatFits(const QStringList& families, const Font& font, const QStringList& texts, int room);

// The face of Qt's own texts (a field's context menu, tooltips, message
// boxes): for a Chinese interface, a Chinese face rather than whatever the
// desktop's default lacks.
void UseInterfaceFont(const QString& face, double points);

// Qt's own texts (a field's context menu, a message box's buttons) in the
// given language, e.g. "zh_CN", whatever the user's locale. False when the
// translations are not installed; the texts then stay in English.
bool UseLanguage(const QString& localeName);

}  // namespace runtime
