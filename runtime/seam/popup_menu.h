// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "runtime/seam/geometry.h"

namespace runtime {

// A popup menu as the window system shows it. The core builds it once and
// then only changes its items' states.
class PopupMenu {
 public:
  struct Item {
    std::string name;        // the item's name in the form's design
    std::u16string caption;  // "-" is a separator line
    bool enabled = true;
    bool visible = true;
    bool checked = false;
  };

  virtual ~PopupMenu() = default;

  // Adds an item; choosing it runs `chosen` before Run returns. With a
  // `submenu` the item opens that menu instead.
  virtual std::size_t AddItem(const Item& item, std::function<void()> chosen, PopupMenu* submenu) = 0;
  virtual void SetItemEnabled(std::size_t index, bool enabled) = 0;
  [[nodiscard]] virtual bool IsOpen() const = 0;
  // Shows the menu with its top-left corner at `screen` and returns once it
  // has closed, after the chosen item's `chosen` has run.
  virtual void Run(Point screen) = 0;

 protected:
  PopupMenu() = default;
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
};

}  // namespace runtime
