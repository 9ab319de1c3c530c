// SPDX-License-Identifier: MIT
#include "runtime/controls/menu.h"

#include "runtime/design/design_reader.h"
#include "runtime/dispatch.h"
#include "runtime/seam/popup_menu.h"
#include "runtime/seam/window_system.h"

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
  if (mParent != nullptr) mParent->mPopup->SetItemEnabled(mPlace, enabled);
}

void Menu::AddItem(Menu& item) {
  mItems.push_back(&item);
  if (mPopup) Place(item);
}

PopupMenu& Menu::Popup() {
  if (!mPopup) {
    mPopup = WindowSystem::Current().NewPopupMenu(mName);
    for (Menu* item : mItems) Place(*item);
  }
  return *mPopup;
}

void Menu::Place(Menu& item) {
  PopupMenu::Item state;
  state.name = item.mName;
  state.caption = item.mCaption;
  state.enabled = item.mEnabled;
  state.visible = item.mVisible;
  state.checked = item.mChecked;
  PopupMenu* submenu = item.mItems.empty() ? nullptr : &item.Popup();
  item.mPlace = mPopup->AddItem(state, [&item] { Boundary([&item] { item.Click.Raise(); }); }, submenu);
  item.mParent = this;
}

}  // namespace runtime
