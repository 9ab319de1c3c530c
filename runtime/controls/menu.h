// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "runtime/event.h"

class QAction;
class QMenu;

namespace runtime {

class DesignReader;

// A menu of a form: a caption, its state, the items under it, and Click for
// when the user chooses it. A top-level menu serves as a popup menu; its
// Qt menu is built on first use and then kept, so that writing an item's
// state is a cheap comparison when nothing changes.
class Menu {
 public:
  explicit Menu(DesignReader& design);
  ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  [[nodiscard]] const std::string& Name() const { return mName; }
  [[nodiscard]] const QString& Caption() const { return mCaption; }
  [[nodiscard]] bool Enabled() const { return mEnabled; }
  void SetEnabled(bool enabled);

  void AddItem(Menu& item);
  [[nodiscard]] const std::vector<Menu*>& Items() const { return mItems; }

  // The popup that shows this menu's items.
  QMenu& Popup();

  Event<> Click;

 private:
  // This menu as an entry of its parent's popup.
  QAction& Action();

  std::string mName;
  QString mCaption;
  bool mEnabled = true;
  bool mVisible = true;
  bool mChecked = false;
  std::vector<Menu*> mItems;
  std::unique_ptr<QMenu> mPopup;
  std::unique_ptr<QAction> mAction;
};

}  // namespace runtime
