// SPDX-License-Identifier: MIT
// Draws the skin pictures and writes each button's saved settings, as the
// main window's design embeds them. The build never runs this; its outputs
// are committed. Run it again after changing the artwork:
//
//   build-test/tools/skin_generator/zorvane_skin_generator main_window/designs packaging/icons
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "artwork.h"
#include "image_button/ibutton.h"
#include "qt/qt_window_system.h"
#include "runtime/controls/control_site.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/values/font.h"
#include "runtime/values/picture.h"

namespace {

constexpr int kDotsPerMeterAt72Dpi = 2835;

QByteArray Jpeg(QImage image) {
  image.setDotsPerMeterX(kDotsPerMeterAt72Dpi);
  image.setDotsPerMeterY(kDotsPerMeterAt72Dpi);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 95);
  return bytes;
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
  return true;
}

runtime::FontRef Face(const char* name, double points) {
  auto font = std::make_shared<runtime::Font>();
  font->name = QString::fromUtf8(name).toStdU16String();
  font->size = points;
  font->charset = 134;
  font->weight = 400;
  return font;
}

struct Button {
  const char* name;
  const char* caption;
  const char* strip;
  const char* face;
  double points;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("main_window/designs");
  if (!QDir().mkpath(out + QStringLiteral("/settings"))) return 1;

  const QImage windowSkin = skin::WindowSkin();
  const struct {
    const char* file;
    QImage image;
  } pictures[] = {
      {"window_skin.jpg", windowSkin},
      {"key_strip.jpg", skin::KeyStrip(windowSkin)},
      {"wide_key_strip.jpg", skin::WideKeyStrip(windowSkin)},
      {"minimise_strip.jpg", skin::MinimiseStrip(windowSkin)},
      {"close_strip.jpg", skin::CloseStrip(windowSkin)},
  };
  for (const auto& picture : pictures) {
    if (!Write(out + QLatin1Char('/') + QLatin1String(picture.file), Jpeg(picture.image))) return 1;
  }
  if (!Write(out + QStringLiteral("/app_icon.ico"), skin::AppIconFile())) return 1;

  // The desktop's icon theme wants the symbol as PNG files at fixed sizes.
  const QString icons = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("packaging/icons");
  for (int size : {16, 32, 48, 256}) {
    const QString folder = icons + QStringLiteral("/%1x%1").arg(size);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    skin::AppSymbol(size).save(&buffer, "PNG");
    if (!QDir().mkpath(folder) || !Write(folder + QStringLiteral("/org.zorvane.Zorvane.png"), png)) return 1;
  }

  const char* song = "宋体";
  const char* yahei = "微软雅黑";
  const Button buttons[] = {
      {"iButton1", "", "close_strip.jpg", song, 9},     {"iButton2", "", "minimise_strip.jpg", song, 9},
      {"iButton3", "1", "key_strip.jpg", song, 9},      {"iButton4", "6", "key_strip.jpg", song, 9},
      {"iButton5", "5", "key_strip.jpg", song, 9},      {"iButton6", "4", "key_strip.jpg", song, 9},
      {"iButton7", "3", "key_strip.jpg", song, 9},      {"iButton8", "2", "key_strip.jpg", song, 9},
      {"iButton9", "7", "key_strip.jpg", song, 9},      {"iButton10", "8", "key_strip.jpg", song, 9},
      {"iButton11", "9", "key_strip.jpg", song, 9},     {"iButton12", "0", "key_strip.jpg", song, 9},
      {"iButton13", "复制", "wide_key_strip.jpg", yahei, 10.5},
      {"iButton14", "清空", "wide_key_strip.jpg", yahei, 10.5},
  };
  qt_frontend::QtWindowSystem windowSystem;
  runtime::Program program;
  const runtime::ControlClasses classes;
  const runtime::Form host(runtime::ParseFormDesign("Begin Form Host\nEnd\n", "host.frm"), classes);
  for (const Button& button : buttons) {
    QFile strip(out + QLatin1Char('/') + QLatin1String(button.strip));
    if (!strip.open(QIODevice::ReadOnly)) return 1;
    image_button::iButton control(host.Window());
    // Saved exactly as a designer leaves a freshly placed button: every
    // setting at its default but the picture, caption, font and colours.
    control.LetAutoSize(runtime::kTrue);
    control.SetBackPicture(runtime::Picture::FromFile(strip.readAll().toStdString()));
    control.LetCaption(QString::fromUtf8(button.caption).toStdU16String());
    control.SetcFont(Face(button.face, button.points));
    control.LetcDrawMode(13);
    control.LetcForeColor(0x80000012);
    const std::string bytes = runtime::ControlSite::SaveSettings(control).ToBytes();
    const QString path = out + QStringLiteral("/settings/") + QString::fromLatin1(button.name).toLower() +
                         QStringLiteral(".bag");
    if (!Write(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())))) return 1;
  }
  return 0;
}
