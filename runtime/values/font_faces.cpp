// SPDX-License-Identifier: MIT
#include "runtime/values/font_faces.h"

#include <algorithm>
#include <map>

#include "runtime/seam/window_system.h"
#include "runtime/values/font.h"
#include "runtime/values/text.h"

namespace runtime {
namespace {

// Faces are matched without regard to ASCII case, as window systems match
// family names.
std::u16string Key(std::u16string_view face) { return AsciiLowered(face); }

std::map<std::u16string, std::vector<std::u16string>>& StandInTable() {
  static std::map<std::u16string, std::vector<std::u16string>> table;
  return table;
}

std::map<std::u16string, std::u16string>& Resolved() {
  static std::map<std::u16string, std::u16string> resolved;
  return resolved;
}

}  // namespace

void SetStandIns(const std::u16string& face, std::vector<std::u16string> standIns) {
  StandInTable()[Key(face)] = std::move(standIns);
  Resolved().erase(face);
}

std::vector<std::u16string> StandIns(const std::u16string& face) {
  const auto found = StandInTable().find(Key(face));
  return found == StandInTable().end() ? std::vector<std::u16string>{} : found->second;
}

std::u16string ResolvedFamily(const std::u16string& face) {
  std::map<std::u16string, std::u16string>& resolved = Resolved();
  if (const auto found = resolved.find(face); found != resolved.end()) return found->second;
  WindowSystem& ws = WindowSystem::Current();
  std::u16string family = ws.InstalledFamily(face);
  for (const std::u16string& standIn : StandIns(face)) {
    if (!family.empty()) break;
    family = ws.InstalledFamily(standIn);
  }
  if (family.empty()) family = face;
  // Designs name a handful of faces; a bound keeps a stream of different
  // names from growing the table without end.
  constexpr std::size_t kRemembered = 64;
  if (resolved.size() >= kRemembered) resolved.clear();
  resolved.emplace(face, family);
  return family;
}

std::u16string FamilyThatFits(const std::vector<std::u16string>& families, const Font& font,
                              const std::vector<std::u16string>& texts, int room) {
  WindowSystem& ws = WindowSystem::Current();
  std::u16string narrowest;
  int narrowestWidth = 0;
  for (const std::u16string& candidate : families) {
    const std::u16string family = ws.InstalledFamily(candidate);
    if (family.empty()) continue;
    Font face = font;
    face.name = family;
    int widest = 0;
    for (const std::u16string& text : texts) widest = std::max(widest, ws.MeasureText(face, text).width);
    if (widest <= room) return family;
    if (narrowest.empty() || widest < narrowestWidth) {
      narrowest = family;
      narrowestWidth = widest;
    }
  }
  return narrowest;
}

}  // namespace runtime
