// SPDX-License-Identifier: MIT
#include "main_window/project.h"

#include <string>
#include <vector>

#include "calc/size_formulas.h"
#include "image_button/register.h"
#include "main_window/designs.h"
#include "main_window/form1.h"
#include "main_window/form2.h"
#include "runtime/controls/text_box.h"
#include "runtime/forms/form.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/font.h"
#include "runtime/values/font_faces.h"
#include "runtime/values/text.h"

namespace main_window {
namespace {

bool SameFamily(const std::u16string& a, const std::u16string& b) { return runtime::SameIgnoringAsciiCase(a, b); }

// The outputs must show the largest sizes whole. When the face standing in
// for the fields' design face is too wide for them, the first of its other
// stand-ins that is narrow enough takes its place (or the narrowest, when
// none is).
void FitOutputFace(Form1& form) {
  runtime::TextBox& output = form.Text1(1);
  const runtime::FontRef font = output.GetFont();
  if (!font) return;
  // The largest input, six nines, gives the longest sizes.
  std::vector<std::u16string> largest;
  for (const auto& size : {calc::Fat32SizeText("999999"), calc::NtfsSizeText("999999")}) {
    if (size.Ok()) largest.push_back(runtime::FromAscii(size.Value()));
  }
  const std::vector<std::u16string> standIns = runtime::StandIns(font->name);
  std::vector<std::u16string> candidates{font->name};
  candidates.insert(candidates.end(), standIns.begin(), standIns.end());
  const std::u16string family = runtime::FamilyThatFits(candidates, *font, largest, output.TextRoom());
  if (family.empty() || family == runtime::ResolvedFamily(font->name)) return;
  std::vector<std::u16string> order{family};
  for (const std::u16string& standIn : standIns) {
    if (!SameFamily(standIn, family)) order.push_back(standIn);
  }
  runtime::SetStandIns(font->name, order);
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
  runtime::WindowSystem& ws = runtime::WindowSystem::Current();
  // The interface speaks Simplified Chinese, on any desktop.
  ws.UseLanguage("zh_CN");
  // The designs name the faces of the system they were drawn on. Where they
  // are missing, one face stands in for both, so that only one is loaded:
  // WenQuanYi Micro Hei holds every character the window shows and is
  // narrow enough for the ten-digit sizes to fit their fields. The others
  // follow in case it is missing; Form1() makes sure the fields' face fits.
  const std::vector<std::u16string> standIns = {u"WenQuanYi Micro Hei", u"Noto Sans CJK SC", u"WenQuanYi Zen Hei",
                                                u"Droid Sans Fallback"};
  std::vector<std::u16string> yaHei{u"Microsoft YaHei"};
  yaHei.insert(yaHei.end(), standIns.begin(), standIns.end());
  std::vector<std::u16string> song{u"SimSun"};
  song.insert(song.end(), standIns.begin(), standIns.end());
  runtime::SetStandIns(u"微软雅黑", yaHei);
  runtime::SetStandIns(u"Microsoft YaHei", standIns);
  runtime::SetStandIns(u"宋体", song);
  runtime::SetStandIns(u"SimSun", standIns);
  runtime::Font interfaceFont;
  interfaceFont.name = u"微软雅黑";
  interfaceFont.size = 9;
  ws.SetInterfaceFont(interfaceFont);
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
