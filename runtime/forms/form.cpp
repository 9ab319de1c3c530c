// SPDX-License-Identifier: MIT
#include "runtime/forms/form.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "runtime/controls/control_site.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/controls/user_control.h"
#include "runtime/design/design_reader.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form_widget.h"
#include "runtime/input_codes.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/values/picture.h"
#include "runtime/values/units.h"
#include "runtime/win32/window_handles.h"

namespace runtime {
namespace {

constexpr double kLargestForm = 1e6;  // twips; far beyond any screen

// Every size the icon file holds, so the platform can pick the one it needs.
QIcon IconFromFile(const QByteArray& bytes) {
  std::optional<QList<QImage>> images = TakeDecodedAhead(bytes);
  if (!images) images = DecodeAll(bytes);
  QIcon icon;
  for (const QImage& image : *images) {
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  if (icon.isNull()) Raise(kLoadError, "the form's icon is not an icon");
  return icon;
}

float ClientSize(DesignReader& reader, std::string_view key, double fallback) {
  const double twips = reader.Number(key, fallback);
  if (!(twips >= 0 && twips <= kLargestForm)) Raise(kLoadError, "'" + std::string(key) + "' is out of range");
  return static_cast<float>(twips);
}

}  // namespace

Form::Form(const DesignNode& design, const ControlClasses& classes, const DesignFiles& files)
    : mWidget(std::make_unique<FormWidget>()), mName(design.name) {
  if (design.className != "Form") Raise(kLoadError, "'" + design.name + "' is not a form");
  DesignReader reader(design);
  SetCaption(reader.GbkText("Caption", QString::fromStdString(mName)));
  const std::int16_t border = reader.Integer16("BorderStyle", 2);
  reader.Number("ClientLeft", 0);
  reader.Number("ClientTop", 0);
  const float clientWidth = ClientSize(reader, "ClientWidth", 4800);
  const float clientHeight = ClientSize(reader, "ClientHeight", 3600);
  mStartUpPosition = reader.Integer16("StartUpPosition", 3);
  const std::optional<std::string> picture = reader.Bytes("Picture");
  const std::optional<std::string> icon = reader.Bytes("Icon");
  reader.RequireAllRead();
  if (picture) {
    const PictureRef skin = Picture::FromFile(ReadDesignFile(files, *picture));
    if (!skin) Raise(kLoadError, "'" + *picture + "' is not a picture");
    mWidget->SetPicture(skin->Pixels());
  }
  // The window carries its icon from the moment it is mapped: a taskbar reads
  // it when the window appears, and may miss a later change.
  if (icon) mWidget->setWindowIcon(IconFromFile(ReadDesignFile(files, *icon)));

  mWidget->setObjectName(QString::fromStdString(mName));
  const QSize client(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
  if (border == 0) {
    mWidget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  }
  if (border == 2 || border == 5) {
    mWidget->resize(client);
  } else {
    mWidget->setFixedSize(client);
  }
  mWidget->onBackgroundPress = [this](QMouseEvent& event) {
    Boundary([&] {
      std::int16_t button = ButtonCodes(event.button());
      std::int16_t shift = ShiftCode(event.modifiers());
      auto x = static_cast<float>(PixelsToTwips(event.position().x()));
      auto y = static_cast<float>(PixelsToTwips(event.position().y()));
      MouseDown.Raise(button, shift, x, y);
    });
  };
  mWidget->onCloseRequest = [this] {
    if (mEndsProgramWhenClosed) Boundary([] { End(); });
  };
  mWidget->onVisibilityChange = [this] {
    const bool held = mWidget->OutOfSight();
    for (const auto& timer : mTimers) timer->SetHeld(held);
  };

  for (const DesignNode& child : design.children) AddChild(child, classes, files);
  ApplyTabOrder();
}

void Form::DecodePicturesAhead(const DesignNode& design, const DesignFiles& files) {
  // What cannot be read is skipped here, for building the form to report.
  auto read = [&files](const DesignNode& node, const char* key) -> QByteArray {
    try {
      const std::optional<std::string> name = DesignReader(node).Bytes(key);
      return name ? ReadDesignFile(files, *name) : QByteArray();
    } catch (const RuntimeError&) {
      return {};
    }
  };
  QList<QByteArray> pictures;
  for (const char* key : {"Picture", "Icon"}) {
    if (QByteArray file = read(design, key); !file.isEmpty()) pictures.append(std::move(file));
  }
  // The controls' own pictures (a button's strip) are in their saved
  // settings; keys share a strip, which is decoded once.
  for (const DesignNode& child : design.children) {
    const QByteArray bag = read(child, "Settings");
    for (QByteArray& file :
         PropertyBag::PictureFiles(std::string_view(bag.constData(), static_cast<std::size_t>(bag.size())))) {
      if (!pictures.contains(file)) pictures.append(std::move(file));
    }
  }
  if (!pictures.isEmpty()) DecodeAhead(pictures);
}

Form::~Form() {
  mWidget->onBackgroundPress = nullptr;
  mWidget->onCloseRequest = nullptr;
  mWidget->onVisibilityChange = nullptr;
  for (UserControl* control : mUserControls) ControlSite::Unload(*control);
  // Controls, timers and menus go before the window they live on.
  mControls.clear();
  mTimers.clear();
  mMenus.clear();
}

void Form::AddChild(const DesignNode& child, const ControlClasses& classes, const DesignFiles& files) {
  if (child.className == "Menu") {
    AddMenu(child);
    return;
  }
  DesignReader reader(child);
  const std::int16_t index = reader.Integer16("Index", -1);
  auto taken = [&](const std::string& name, std::int16_t otherIndex) {
    return name == child.name && (otherIndex == index || otherIndex < 0 || index < 0);
  };
  const bool duplicate =
      std::any_of(mControls.begin(), mControls.end(),
                  [&](const auto& c) { return taken(c->Name(), c->Index()); }) ||
      std::any_of(mTimers.begin(), mTimers.end(), [&](const auto& t) { return taken(t->Name(), -1); });
  if (duplicate) RaiseLoadError(child, "'" + child.name + "' is defined twice");

  if (child.className == "Timer") {
    if (index >= 0) RaiseLoadError(child, "timers have no index");
    mTimers.push_back(std::make_unique<Timer>(reader));
  } else if (const ControlClasses::Factory* factory = classes.Find(child.className)) {
    mControls.push_back((*factory)(mWidget.get(), reader, files));
    if (auto* control = dynamic_cast<UserControl*>(mControls.back().get())) mUserControls.push_back(control);
  } else {
    RaiseLoadError(child, "there is no control class '" + child.className + "'");
  }
  reader.RequireAllRead();
}

Menu& Form::AddMenu(const DesignNode& design) {
  for (const auto& menu : mMenus) {
    if (menu->Name() == design.name) {
      RaiseLoadError(design, "'" + design.name + "' is defined twice");
    }
  }
  DesignReader reader(design);
  mMenus.push_back(std::make_unique<Menu>(reader));
  Menu& menu = *mMenus.back();
  reader.RequireAllRead();
  for (const DesignNode& item : design.children) {
    if (item.className != "Menu") {
      RaiseLoadError(item, "a menu holds only menus");
    }
    menu.AddItem(AddMenu(item));
  }
  return menu;
}

void Form::ApplyTabOrder() {
  std::vector<Control*> order;
  for (const auto& control : mControls) {
    if (control->Widget() != nullptr && control->Widget()->focusPolicy() != Qt::NoFocus) {
      order.push_back(control.get());
    }
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  for (Control* control : order) {
    if (!control->TabStop()) control->Widget()->setFocusPolicy(Qt::ClickFocus);
  }
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
  }
}

QString Form::Caption() const { return mWidget->windowTitle(); }

void Form::SetCaption(const QString& caption) { mWidget->setWindowTitle(caption); }

std::int16_t Form::WindowState() const {
  const Qt::WindowStates state = mWidget->windowState();
  if (state.testFlag(Qt::WindowMinimized)) return kMinimized;
  if (state.testFlag(Qt::WindowMaximized)) return kMaximized;
  return kNormal;
}

void Form::SetWindowState(std::int16_t state) {
  Qt::WindowStates flags = mWidget->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  switch (state) {
    case kNormal: break;
    case kMinimized: flags |= Qt::WindowMinimized; break;
    case kMaximized: flags |= Qt::WindowMaximized; break;
    default: Raise(kInvalidPropertyValue);
  }
  // Qt holds a window minimised from its request to the window manager until
  // it reads otherwise, and reads nothing when the window comes back before
  // it has looked (restored while the program was busy), or when no window
  // manager minimises it at all. It then takes the next request to minimise
  // for one already made, and the window stays. A window on screen is not
  // minimised: forget what Qt holds first.
  const QWindow* window = mWidget->windowHandle();
  if (mWidget->isMinimized() && window != nullptr && window->isExposed()) {
    mWidget->setWindowState(mWidget->windowState() & ~Qt::WindowMinimized);
  }
  mWidget->setWindowState(flags);
}

std::int32_t Form::hWnd() const { return HandleOf(mWidget.get()); }

void Form::Show() {
  const bool first = !mShown;
  mShown = true;
  if (first) {
    for (UserControl* control : mUserControls) ControlSite::Show(*control);
    for (const auto& timer : mTimers) timer->Restart();
  }
  if (first && (mStartUpPosition == 1 || mStartUpPosition == 2)) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      mWidget->move(area.x() + (area.width() - mWidget->width()) / 2,
                    area.y() + (area.height() - mWidget->height()) / 2);
    }
  }
  // The program's own icon is its start-up form's.
  if (first && mEndsProgramWhenClosed && mWidget->testAttribute(Qt::WA_SetWindowIcon)) {
    QApplication::setWindowIcon(mWidget->windowIcon());
  }
  mWidget->show();
  mWidget->raise();
  mWidget->ActivateOnceShown();
  if (first) {
    // The focus starts on the first control in tab order that can take it.
    Control* start = nullptr;
    for (const auto& control : mControls) {
      QWidget* widget = control->Widget();
      if (widget != nullptr && control->TabStop() && widget->isVisibleTo(mWidget.get()) &&
          widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
          (start == nullptr || control->TabIndex() < start->TabIndex())) {
        start = control.get();
      }
    }
    if (start != nullptr) start->Widget()->setFocus(Qt::TabFocusReason);
  }
  ThrowIfEnded();
}

void Form::PopupMenu(Menu& menu, std::optional<float> x, std::optional<float> y) {
  QMenu& popup = menu.Popup();
  if (popup.isVisible() || menu.Items().empty()) return;
  QPoint where = QCursor::pos();
  if (x && y) {
    if (!std::isfinite(*x) || !std::isfinite(*y) || std::fabs(*x) > kLargestForm ||
        std::fabs(*y) > kLargestForm) {
      Raise(kInvalidProcedureCall);
    }
    where = mWidget->mapToGlobal(QPoint(TwipsToPixels(*x), TwipsToPixels(*y)));
  }
  popup.exec(where);
  ThrowIfEnded();
}

Timer& Form::TimerNamed(std::string_view name) const {
  for (const auto& timer : mTimers) {
    if (timer->Name() == name) return *timer;
  }
  Missing(name);
}

Menu& Form::MenuNamed(std::string_view name) const {
  for (const auto& menu : mMenus) {
    if (menu->Name() == name) return *menu;
  }
  Missing(name);
}

void Form::Missing(std::string_view name) const {
  Raise(kLoadError, "the design of " + mName + " has no '" + std::string(name) + "' of that kind");
}

}  // namespace runtime
