// SPDX-License-Identifier: MIT
#pragma once

#include <QMenu>
#include <memory>
#include <vector>

#include "runtime/seam/popup_menu.h"

class QAction;

namespace qt_frontend {

// A popup menu on Qt: a QMenu with an action per item.
class QtPopupMenu : public runtime::PopupMenu {
 public:
  explicit QtPopupMenu(std::string_view name);
  ~QtPopupMenu() override;

  std::size_t AddItem(const Item& item, std::function<void()> chosen, runtime::PopupMenu* submenu) override;
  void SetItemEnabled(std::size_t index, bool enabled) override;
  [[nodiscard]] bool IsOpen() const override { return mMenu.isVisible(); }
  void Run(runtime::Point screen) override;

  [[nodiscard]] QMenu& Menu() { return mMenu; }

 private:
  QMenu mMenu;
  std::vector<std::unique_ptr<QAction>> mActions;
};

}  // namespace qt_frontend
