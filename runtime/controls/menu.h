// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "runtime/event.h"

namespace runtime {

class DesignReader;
class PopupMenu;

// A menu of a form: a caption, its state, the items under it, and Click for
// when the user chooses it. A top-level menu serves as a popup menu; the
// window system's menu is built on first use and then kept, so that writing
// an item's state is a cheap comparison when nothing changes.
class Menu {
 public:
  explicit Menu(DesignReader& design);
  ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  [[nodiscard]] const std::string& Name() const { return mName; }
  [[nodiscard]] const std::u16string& Caption() const { return mCaption; }
  [[nodiscard]] bool Enabled() const { return mEnabled; }
  void SetEnabled(bool enabled);

  void AddItem(Menu& item);
  [[nodiscard]] const std::vector<Menu*>& Items() const { return mItems; }

  // The popup that shows this menu's items.
  PopupMenu& Popup();

  Event<> Click;

 private:
  // Puts `item` into the built popup and remembers where.
  void Place(Menu& item);

  std::string mName;
  std::u16string mCaption;
  bool mEnabled = true;
  bool mVisible = true;
  bool mChecked = false;
  std::vector<Menu*> mItems;
  std::unique_ptr<PopupMenu> mPopup;
  // Where this menu stands as an item of its parent's built popup.
  Menu* mParent = nullptr;
  std::size_t mPlace = 0;
};

}  // namespace runtime
