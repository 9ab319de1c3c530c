// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "runtime/seam/popup_menu.h"

namespace win32_frontend {

class Win32WindowSystem;

// A popup menu on Win32, shown with TrackPopupMenuEx. Its items carry
// command numbers unique in the program, so a choice in a submenu finds
// its item too.
class Win32Popup : public runtime::PopupMenu {
 public:
  explicit Win32Popup(Win32WindowSystem& system);
  ~Win32Popup() override;

  std::size_t AddItem(const Item& item, std::function<void()> chosen, runtime::PopupMenu* submenu) override;
  void SetItemEnabled(std::size_t index, bool enabled) override;
  [[nodiscard]] bool IsOpen() const override { return mOpen; }
  void Run(runtime::Point screen) override;

  [[nodiscard]] HMENU Menu() const { return mMenu; }

 private:
  Win32WindowSystem& mSystem;
  HMENU mMenu;
  std::vector<UINT> mCommands;  // each item's command number
  bool mOpen = false;
};

}  // namespace win32_frontend
