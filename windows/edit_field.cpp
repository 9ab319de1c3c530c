// SPDX-License-Identifier: MIT
#include "windows/edit_field.h"

#include <algorithm>

#include "windows/input.h"
#include "windows/window_system.h"
#include "windows/windows_gdi.h"

namespace win32_frontend {
namespace {

constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | ES_NOHIDESEL;

}  // namespace

Win32Edit::Win32Edit(Win32Form& form, runtime::EditFieldEvents& events) : Win32Child(form), mEvents(events) {
  Make(ES_LEFT);
}

Win32Edit::~Win32Edit() {
  if (mHwnd != nullptr) {
    SetWindowLongPtrW(mHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mSystemProc));
    SetWindowLongPtrW(mHwnd, GWLP_USERDATA, 0);
  }
  if (mBackBrush != nullptr) DeleteObject(mBackBrush);
}

void Win32Edit::Make(DWORD alignmentStyle) {
  const HWND old = mHwnd;
  mKnownText.reset();
  DWORD style = kFieldStyle | alignmentStyle;
  DWORD exStyle = 0;
  std::u16string text;
  std::pair<DWORD, DWORD> selection{0, 0};
  bool readOnly = false;
  if (old != nullptr) {
    style = (static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE)) & ~(ES_LEFT | ES_CENTER | ES_RIGHT)) | alignmentStyle;
    exStyle = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE));
    text = Text();
    readOnly = ReadOnly();
    selection = Selection();
  }
  const HWND made = CreateWindowExW(exStyle, L"EDIT", Wide(text.c_str()), style, 0, 0, 0, 0, mForm.Hwnd(), nullptr,
                                    mForm.System().Instance(), nullptr);
  // The control's own procedure runs under ours.
  SetWindowLongPtrW(made, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  const auto systemProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(made, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Edit::FieldProc)));
  if (old == nullptr) mSystemProc = systemProc;
  SendMessageW(made, EM_SETLIMITTEXT, kCapacity, 0);
  if (old == nullptr) {
    Attach(made);
    return;
  }
  // The field's order among its siblings, its place and its state stay.
  SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EnableWindow(made, IsWindowEnabled(old));
  const bool focused = GetFocus() == old;
  SetWindowLongPtrW(old, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mSystemProc));
  SetWindowLongPtrW(old, GWLP_USERDATA, 0);
  mForm.SetToolTip(old, u"");
  mForm.SetAccessibleName(old, u"");
  DestroyWindow(old);
  mHwnd = made;
  mSystemProc = systemProc;
  SendMessageW(made, EM_SETSEL, selection.first, selection.second);
  if (focused) SetFocus(made);
  Rescale();
  SetReadOnly(readOnly);
  mForm.SetToolTip(made, mTip);
  if (!mName.empty()) Name(mName);
}

std::u16string Win32Edit::Text() const {
  // Read from the control once after each change it reports: the refresh
  // timer asks a hundred times a second, and each read is two messages.
  if (!mKnownText) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(mHwnd)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(mHwnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    mKnownText = std::move(text);
  }
  return *mKnownText;
}

void Win32Edit::SetText(std::u16string_view text) {
  mKnownText.reset();
  SetWindowTextW(mHwnd, Wide(std::u16string(text).c_str()));
}

std::pair<DWORD, DWORD> Win32Edit::Selection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(mHwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return std::minmax(start, end);
}

int Win32Edit::SelectionStart() const { return static_cast<int>(Selection().first); }

int Win32Edit::SelectionLength() const {
  const auto [start, end] = Selection();
  return static_cast<int>(end - start);
}

void Win32Edit::Select(int start, int length) {
  // The caret goes to the second place given: behind a selection made
  // forwards, in front of one made backwards.
  SendMessageW(mHwnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void Win32Edit::ReplaceSelection(std::u16string_view text) {
  mKnownText.reset();
  SendMessageW(mHwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(std::u16string(text).c_str())));
}

void Win32Edit::Backspace() {
  mKnownText.reset();
  CallWindowProcW(mSystemProc, mHwnd, WM_CHAR, VK_BACK, 0);
}

void Win32Edit::SetReadOnly(bool readOnly) { SendMessageW(mHwnd, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }

bool Win32Edit::ReadOnly() const { return (GetWindowLongPtrW(mHwnd, GWL_STYLE) & ES_READONLY) != 0; }

void Win32Edit::SetAlignment(Alignment alignment) {
  const DWORD style = alignment == Alignment::kRight ? ES_RIGHT : alignment == Alignment::kCentre ? ES_CENTER : ES_LEFT;
  // An edit control takes its alignment only when it is made.
  if ((static_cast<DWORD>(GetWindowLongPtrW(mHwnd, GWL_STYLE)) & (ES_LEFT | ES_CENTER | ES_RIGHT)) != style) {
    Make(style);
  }
}

void Win32Edit::SetFrame(bool frame) {
  LONG_PTR exStyle = GetWindowLongPtrW(mHwnd, GWL_EXSTYLE);
  exStyle = frame ? (exStyle | WS_EX_CLIENTEDGE) : (exStyle & ~WS_EX_CLIENTEDGE);
  SetWindowLongPtrW(mHwnd, GWL_EXSTYLE, exStyle);
  SetWindowPos(mHwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Edit::SetFont(const runtime::Font& font) {
  mFont = font;
  HFONT made = mForm.System().FontsInUse().Get(font, mForm.Scale(), Fonts::Smoothing::kSystem);
  SendMessageW(mHwnd, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
  // The text may use the field's whole width: the largest sizes must read
  // whole in it.
  SendMessageW(mHwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(mForm.Scale(), mForm.Scale()));
  HDC dc = GetDC(mHwnd);
  const HGDIOBJ old = SelectObject(dc, made);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(mHwnd, dc);
  mLineHeight = metrics.tmHeight;
  // The frame is worked out again around the new line.
  SetWindowPos(mHwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Edit::PadFrame(RECT& client) const {
  // A field of one line draws its text at the top of its window; Linux
  // draws a field's line in the middle of its height. The room above and
  // below the line is made frame, so the line sits in the middle here too.
  const int room = client.bottom - client.top - mLineHeight;
  if (mLineHeight <= 0 || room < 2) return;
  client.top += room / 2;
  client.bottom -= room - room / 2;
}

void Win32Edit::PaintPadding() {
  RECT window{};
  RECT client{};
  GetWindowRect(mHwnd, &window);
  GetClientRect(mHwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(mHwnd, &origin);
  const int top = origin.y - window.top;
  const int bottom = top + client.bottom;
  const int height = window.bottom - window.top;
  const int width = window.right - window.left;
  HDC dc = GetWindowDC(mHwnd);
  HBRUSH brush = mBackBrush != nullptr ? mBackBrush : GetSysColorBrush(COLOR_WINDOW);
  const int border = (GetWindowLongPtrW(mHwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 ? GetSystemMetrics(SM_CXEDGE) : 0;
  const RECT above{border, border, width - border, top};
  const RECT below{border, bottom, width - border, height - border};
  if (above.bottom > above.top) FillRect(dc, &above, brush);
  if (below.bottom > below.top) FillRect(dc, &below, brush);
  ReleaseDC(mHwnd, dc);
}

void Win32Edit::SetColours(runtime::Colour text, runtime::Colour background) {
  mTextColour = ColourRefOf(text);
  const COLORREF back = ColourRefOf(background);
  if (mBackBrush == nullptr || back != mBackColour) {
    if (mBackBrush != nullptr) DeleteObject(mBackBrush);
    mBackBrush = CreateSolidBrush(back);
    mBackColour = back;
    RedrawWindow(mHwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
  InvalidateRect(mHwnd, nullptr, TRUE);
}

int Win32Edit::TextRoom() const {
  RECT text{};
  SendMessageW(mHwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  return (text.right - text.left) / mForm.Scale();
}

void Win32Edit::Rescale() {
  Win32Child::Rescale();
  if (mFont) SetFont(*mFont);
}

void Win32Edit::Name(std::u16string_view accessibleName) {
  // The window's text is the field's content; its name comes from a
  // dynamic annotation, which assistive technology reads before deriving one.
  mName = accessibleName;
  mForm.SetAccessibleName(mHwnd, mName);
}

void Win32Edit::Paste() {
  if (!ReadOnly()) mEvents.Pasted(mForm.System().ClipboardText());
}

namespace {

// The commands of an edit control's context menu.
constexpr UINT kUndoCommands[] = {EM_UNDO, WM_UNDO};

struct EditCommand {
  UINT id;
  const wchar_t* fallback;  // where the system's own menu cannot be had
};
constexpr EditCommand kEditCommands[] = {{WM_UNDO, L"&Undo"},   {WM_CUT, L"Cu&t"},     {WM_COPY, L"&Copy"},
                                         {WM_PASTE, L"&Paste"}, {WM_CLEAR, L"&Delete"}, {EM_SETSEL, L"Select &All"}};

bool IsUndo(UINT id) { return id == kUndoCommands[0] || id == kUndoCommands[1]; }

// The system's edit menu, in the user's language, as its own fields show
// it; only the commands every field has are kept.
HMENU SystemEditMenu() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  HMENU loaded = LoadMenuW(user32, MAKEINTRESOURCEW(1));
  if (loaded == nullptr) loaded = LoadMenuW(user32, L"EDITMENU");
  if (loaded == nullptr) return nullptr;
  HMENU items = GetSubMenu(loaded, 0);
  if (items == nullptr) {
    DestroyMenu(loaded);
    return nullptr;
  }
  RemoveMenu(loaded, 0, MF_BYPOSITION);
  DestroyMenu(loaded);
  for (int position = GetMenuItemCount(items) - 1; position >= 0; --position) {
    const UINT id = GetMenuItemID(items, position);
    const bool known = id == 0 || IsUndo(id) ||
                       std::any_of(std::begin(kEditCommands), std::end(kEditCommands),
                                   [id](const EditCommand& command) { return command.id == id; });
    if (!known || GetSubMenu(items, position) != nullptr) DeleteMenu(items, static_cast<UINT>(position), MF_BYPOSITION);
  }
  return items;
}

}  // namespace

void Win32Edit::ShowContextMenu(LPARAM where) {
  SetFocus(mHwnd);
  HMENU menu = SystemEditMenu();
  if (menu == nullptr) {
    menu = CreatePopupMenu();
    for (const EditCommand& command : kEditCommands) {
      if (command.id == EM_SETSEL) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(menu, MF_STRING, command.id, command.fallback);
    }
  }
  const int length = GetWindowTextLengthW(mHwnd);
  const bool selected = SelectionLength() > 0;
  const bool editable = !ReadOnly();
  const bool canUndo = editable && SendMessageW(mHwnd, EM_CANUNDO, 0, 0) != 0;
  auto enable = [menu](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  for (const UINT undo : kUndoCommands) enable(undo, canUndo);
  enable(WM_CUT, editable && selected);
  enable(WM_COPY, selected);
  enable(WM_PASTE, editable && IsClipboardFormatAvailable(CF_UNICODETEXT));
  enable(WM_CLEAR, editable && selected);
  enable(EM_SETSEL, length > 0 && SelectionLength() < length);
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (LOWORD(where) == 0xFFFF && HIWORD(where) == 0xFFFF) {  // from the keyboard: at the field's corner
    at = {0, 0};
    ClientToScreen(mHwnd, &at);
  }
  const auto command = static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, mHwnd, nullptr));
  DestroyMenu(menu);
  if (command == WM_PASTE) {
    Paste();
  } else if (command == EM_SETSEL) {
    SendMessageW(mHwnd, EM_SETSEL, 0, -1);
  } else if (command != 0) {
    CallWindowProcW(mSystemProc, mHwnd, IsUndo(command) ? WM_UNDO : command, 0, 0);
  }
}

LRESULT CALLBACK Win32Edit::FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* field = reinterpret_cast<Win32Edit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (field == nullptr || field->mHwnd != window) {
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)), window, message, wParam,
                           lParam);
  }
  return field->Handle(message, wParam, lParam);
}

LRESULT Win32Edit::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  mForm.System().Pointer().Heard(mHwnd, message, wParam, lParam);
  switch (message) {
    case WM_CHAR:
      switch (mEvents.Typed(static_cast<char16_t>(wParam))) {
        case runtime::EditFieldEvents::Typing::kDefault: break;
        case runtime::EditFieldEvents::Typing::kHandled:
        case runtime::EditFieldEvents::Typing::kStop: return 0;
      }
      break;
    case WM_PASTE:
      // However the user asks (Shift+Insert, the context menu, a program
      // sending the message), the core decides what of the clipboard goes in.
      Paste();
      return 0;
    case WM_KEYDOWN:
      // Some edit controls paste Shift+Insert without a WM_PASTE of their own.
      if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
        Paste();
        return 0;
      }
      break;
    case WM_CONTEXTMENU: ShowContextMenu(lParam); return 0;
    case WM_NCCALCSIZE: {
      const LRESULT result = CallWindowProcW(mSystemProc, mHwnd, message, wParam, lParam);
      PadFrame(*reinterpret_cast<RECT*>(lParam));
      return result;
    }
    case WM_NCPAINT:
      CallWindowProcW(mSystemProc, mHwnd, message, wParam, lParam);
      PaintPadding();
      return 0;
    case WM_NCHITTEST: {
      // The room above and below the line is the field's too: a click there
      // places the caret, never reaches the window behind.
      const LRESULT hit = CallWindowProcW(mSystemProc, mHwnd, message, wParam, lParam);
      return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
    }
    case kFieldCommand:
      if (HIWORD(wParam) == EN_CHANGE) {
        // Every change of the text, by the user or a write, comes this way.
        mKnownText.reset();
        mEvents.TextMayHaveChanged();
      }
      return 0;
    case kFieldColours: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, mTextColour);
      SetBkColor(dc, mBackColour);
      return reinterpret_cast<LRESULT>(mBackBrush != nullptr ? mBackBrush : GetSysColorBrush(COLOR_WINDOW));
    }
    default: break;
  }
  return CallWindowProcW(mSystemProc, mHwnd, message, wParam, lParam);
}

}  // namespace win32_frontend
