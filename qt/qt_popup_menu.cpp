// SPDX-License-Identifier: MIT
#include "qt/qt_popup_menu.h"

#include <QAction>

#include "qt/fonts.h"

namespace qt_frontend {

QtPopupMenu::QtPopupMenu(std::string_view name) {
  mMenu.setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QtPopupMenu::~QtPopupMenu() {
  // The menu lets go of its actions before they go.
  for (const auto& action : mActions) mMenu.removeAction(action.get());
}

std::size_t QtPopupMenu::AddItem(const Item& item, std::function<void()> chosen, runtime::PopupMenu* submenu) {
  auto action = std::make_unique<QAction>(ToQString(item.caption));
  action->setObjectName(QString::fromStdString(item.name));
  action->setSeparator(item.caption == u"-");
  action->setEnabled(item.enabled);
  action->setVisible(item.visible);
  action->setCheckable(item.checked);
  action->setChecked(item.checked);
  if (auto* qtSubmenu = dynamic_cast<QtPopupMenu*>(submenu)) action->setMenu(&qtSubmenu->Menu());
  QObject::connect(action.get(), &QAction::triggered, [chosen = std::move(chosen)] { chosen(); });
  mMenu.addAction(action.get());
  mActions.push_back(std::move(action));
  return mActions.size() - 1;
}

void QtPopupMenu::SetItemEnabled(std::size_t index, bool enabled) {
  if (index < mActions.size()) mActions[index]->setEnabled(enabled);
}

void QtPopupMenu::Run(runtime::Point screen) { mMenu.exec(QPoint(screen.x, screen.y)); }

}  // namespace qt_frontend
