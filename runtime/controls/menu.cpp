// SPDX-License-Identifier: MIT
#include "runtime/controls/menu.h"

#include <QAction>
#include <QMenu>

#include "runtime/design/design_reader.h"
#include "runtime/dispatch.h"

namespace runtime {

Menu::Menu(DesignReader& design) : mName(design.Node().name) {
  mCaption = design.GbkText("Caption", {});
  mEnabled = design.Flag("Enabled", true);
  mVisible = design.Flag("Visible", true);
  mChecked = design.Flag("Checked", false);
}

Menu::~Menu() = default;

void Menu::SetEnabled(bool enabled) {
  // Written on every tick of a refresh timer: unchanged costs nothing.
  if (enabled == mEnabled) return;
  mEnabled = enabled;
  if (mAction) mAction->setEnabled(enabled);
}

void Menu::AddItem(Menu& item) {
  mItems.push_back(&item);
  if (mPopup) mPopup->addAction(&item.Action());
}

QMenu& Menu::Popup() {
  if (!mPopup) {
    mPopup = std::make_unique<QMenu>();
    mPopup->setObjectName(QString::fromStdString(mName));
    for (Menu* item : mItems) mPopup->addAction(&item->Action());
  }
  return *mPopup;
}

QAction& Menu::Action() {
  if (!mAction) {
    mAction = std::make_unique<QAction>(mCaption);
    mAction->setObjectName(QString::fromStdString(mName));
    mAction->setSeparator(mCaption == QStringLiteral("-"));
    mAction->setEnabled(mEnabled);
    mAction->setVisible(mVisible);
    mAction->setCheckable(mChecked);
    mAction->setChecked(mChecked);
    if (!mItems.empty()) mAction->setMenu(&Popup());
    QObject::connect(mAction.get(), &QAction::triggered, [this] { Boundary([this] { Click.Raise(); }); });
  }
  return *mAction;
}

}  // namespace runtime
