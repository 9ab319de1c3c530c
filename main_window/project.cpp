#include "main_window/project.h"

#include "image_button/register.h"
#include "main_window/form1.h"
#include "main_window/form2.h"
#include "runtime/interface_setup.h"

namespace main_window {

Project::Project() {
  image_button::RegisterIButton(mClasses);
  // The interface speaks Simplified Chinese, on any desktop.
  runtime::UseLanguage(QStringLiteral("zh_CN"));
  // The designs name the faces of the system they were drawn on. WenQuanYi
  // Zen Hei stands in for both: it holds every character the window shows,
  // and of the Chinese faces a Debian desktop has it is the one that costs
  // the least memory and start-up time to bring in.
  const QStringList yaHei = {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Zen Hei"),
                             QStringLiteral("WenQuanYi Micro Hei")};
  const QStringList song = {QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei"),
                            QStringLiteral("WenQuanYi Micro Hei")};
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

main_window::Form1& Project::Form1() {
  if (!mForm1) mForm1 = std::make_unique<main_window::Form1>(*this);
  return *mForm1;
}

main_window::Form2& Project::Form2() {
  if (!mForm2) mForm2 = std::make_unique<main_window::Form2>(*this);
  return *mForm2;
}

}  // namespace main_window
