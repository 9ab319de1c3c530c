// SPDX-License-Identifier: MIT
#include "windows/popup_menu.h"

#include <string>

#include "windows/handles.h"
#include "windows/window_system.h"

namespace win32_frontend {

Win32Popup::Win32Popup(Win32WindowSystem& system) : mSystem(system), mMenu(CreatePopupMenu()) {}

Win32Popup::~Win32Popup() {
  // Submenus are their own menus' to destroy: take them out first.
  for (int position = GetMenuItemCount(mMenu) - 1; position >= 0; --position) {
    if (GetSubMenu(mMenu, position) != nullptr) RemoveMenu(mMenu, static_cast<UINT>(position), MF_BYPOSITION);
  }
  for (const UINT command : mCommands) mSystem.ForgetCommand(command);
  DestroyMenu(mMenu);
}

std::size_t Win32Popup::AddItem(const Item& item, std::function<void()> chosen, runtime::PopupMenu* submenu) {
  const UINT command = mSystem.NewCommand(std::move(chosen));
  mCommands.push_back(command);
  // An item that does not show is left out of the menu the user sees; it
  // keeps its command, so its state can still be written.
  if (!item.visible) return mCommands.size() - 1;
  if (item.caption == u"-") {
    AppendMenuW(mMenu, MF_SEPARATOR, 0, nullptr);
    return mCommands.size() - 1;
  }
  UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : MF_UNCHECKED);
  UINT_PTR id = command;
  if (auto* sub = dynamic_cast<Win32Popup*>(submenu)) {
    flags |= MF_POPUP;
    id = reinterpret_cast<UINT_PTR>(sub->Menu());
  }
  AppendMenuW(mMenu, flags, id, Wide(item.caption.c_str()));
  return mCommands.size() - 1;
}

void Win32Popup::SetItemEnabled(std::size_t index, bool enabled) {
  if (index < mCommands.size()) {
    EnableMenuItem(mMenu, mCommands[index], MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void Win32Popup::Run(runtime::Point screen) {
  const HWND owner = mSystem.MenuOwner();
  // Without the owner in front, the menu would not close when the user
  // clicks elsewhere.
  SetForegroundWindow(owner);
  mOpen = true;
  const auto command = static_cast<UINT>(TrackPopupMenuEx(
      mMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner, nullptr));
  mOpen = false;
  PostMessageW(owner, WM_NULL, 0, 0);
  if (command != 0) mSystem.RunCommand(command);
}

}  // namespace win32_frontend
