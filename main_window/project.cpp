// SPDX-License-Identifier: MIT
#include "main_window/project.h"

#include <QFont>
#include <QStringList>

#include "calc/size_formulas.h"
#include "image_button/register.h"
#include "main_window/designs.h"
#include "main_window/form1.h"
#include "main_window/form2.h"
#include "runtime/controls/text_box.h"
#include "runtime/forms/form.h"
#include "runtime/platform/interface_setup.h"
#include "runtime/runtime_error.h"

namespace main_window {
namespace {

// The outputs must show the largest sizes whole. When the face standing in
// for the fields' design face is too wide for them, the first of its other
// stand-ins that is narrow enough takes its place (or the narrowest, when
// none is).
void FitOutputFace(Form1& form) {
  runtime::TextBox& output = form.Text1(1);
  const runtime::FontRef font = output.GetFont();
  if (!font) return;
  // The largest input, six nines, gives the longest sizes.
  QStringList largest;
  for (const auto& size : {calc::Fat32SizeText("999999"), calc::NtfsSizeText("999999")}) {
    if (size.Ok()) largest.append(QString::fromStdString(size.Value()));
  }
  const QStringList standIns = QFont::substitutes(font->name);
  const QString family = runtime::FamilyThatFits(QStringList{font->name} + standIns, *font, largest, output.TextRoom());
  if (family.isEmpty() || family == runtime::InstalledFamily(font->name)) return;
  QStringList order{family};
  for (const QString& standIn : standIns) {
    if (standIn.compare(family, Qt::CaseInsensitive) != 0) order.append(standIn);
  }
  runtime::SubstituteFont(font->name, order);
  for (runtime::TextBox* field : form.Text1) field->SetFont(field->GetFont());
}

}  // namespace

Project::Project() {
  // The main window's pictures decode on another core while the interface
  // is set up; a design that cannot be read is reported when the window is
  // built.
  try {
    runtime::Form::DecodePicturesAhead(Form1Design(), LoadDesignFile);
  } catch (const runtime::RuntimeError&) {
  }
  image_button::RegisterIButton(mClasses);
  // The interface speaks Simplified Chinese, on any desktop.
  runtime::UseLanguage(QStringLiteral("zh_CN"));
  // The designs name the faces of the system they were drawn on. One face
  // stands in for both, so that only one is loaded: WenQuanYi Micro Hei
  // holds every character the window shows and is narrow enough for the
  // ten-digit sizes to fit their fields. The others follow in case it is
  // missing; Form1() makes sure the fields' face fits.
  const QStringList standIns = {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Droid Sans Fallback")};
  const QStringList yaHei = QStringList{QStringLiteral("Microsoft YaHei")} + standIns;
  const QStringList song = QStringList{QStringLiteral("SimSun")} + standIns;
  runtime::SubstituteFont(QString::fromUtf8("微软雅黑"), yaHei);
  runtime::SubstituteFont(QStringLiteral("Microsoft YaHei"), yaHei.mid(1));
  runtime::SubstituteFont(QString::fromUtf8("宋体"), song);
  runtime::SubstituteFont(QStringLiteral("SimSun"), song.mid(1));
  runtime::UseInterfaceFont(QString::fromUtf8("微软雅黑"), 9);
}

Project::~Project() {
  // The copy menu's form refers to the main window, not the other way round.
  mForm2.reset();
  mForm1.reset();
}

const runtime::DesignNode& Project::Form1Design() {
  if (!mForm1Design) mForm1Design = LoadDesign("form1.frm");
  return *mForm1Design;
}

main_window::Form1& Project::Form1() {
  if (!mForm1) {
    mForm1 = std::make_unique<main_window::Form1>(*this);
    FitOutputFace(*mForm1);
  }
  return *mForm1;
}

main_window::Form2& Project::Form2() {
  if (!mForm2) mForm2 = std::make_unique<main_window::Form2>(*this);
  return *mForm2;
}

}  // namespace main_window
