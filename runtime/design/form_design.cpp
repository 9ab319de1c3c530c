// SPDX-License-Identifier: MIT
#include "runtime/design/form_design.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "runtime/runtime_error.h"

namespace runtime {
namespace {

constexpr int kMaxDepth = 16;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsIdentifierStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }

class Parser {
 public:
  Parser(std::string_view text, std::string_view fileName) : mText(text), mFile(fileName) {}

  DesignNode ParseFile() {
    std::string_view line;
    while (NextLine(line)) {
      if (line.empty()) continue;
      DesignNode root = ParseBegin(line, 0);
      while (NextLine(line)) {
        if (!line.empty()) Fail("nothing may follow the form's End");
      }
      return root;
    }
    Fail("the design is empty");
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    Raise(kLoadError, std::string(mFile) + " line " + std::to_string(mLine) + ": " + what);
  }

  // The next line without comment and surrounding blanks; false at the end.
  bool NextLine(std::string_view& line) {
    if (mPos >= mText.size()) return false;
    std::size_t end = mText.find('\n', mPos);
    if (end == std::string_view::npos) end = mText.size();
    line = mText.substr(mPos, end - mPos);
    mPos = end + 1;
    ++mLine;
    while (!line.empty() && IsSpace(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsSpace(line.back())) line.remove_suffix(1);
    if (!line.empty() && line.front() == '\'') line = {};
    return true;
  }

  static std::string_view Word(std::string_view& rest) {
    while (!rest.empty() && IsSpace(rest.front())) rest.remove_prefix(1);
    std::size_t n = 0;
    while (n < rest.size() && !IsSpace(rest[n])) ++n;
    const std::string_view word = rest.substr(0, n);
    rest.remove_prefix(n);
    while (!rest.empty() && IsSpace(rest.front())) rest.remove_prefix(1);
    return word;
  }

  void CheckIdentifier(std::string_view word, bool dotted) const {
    if (word.empty() || !IsIdentifierStart(word.front())) Fail("expected a name");
    for (char c : word) {
      if (!IsIdentifierChar(c) && !(dotted && c == '.')) {
        Fail("'" + std::string(word) + "' is not a name");
      }
    }
  }

  DesignNode ParseBegin(std::string_view line, int depth) {
    if (depth >= kMaxDepth) Fail("objects are nested too deeply");
    std::string_view rest = line;
    if (Word(rest) != "Begin") Fail("expected Begin");
    DesignNode node;
    node.line = mLine;
    const std::string_view className = Word(rest);
    CheckIdentifier(className, true);
    const std::string_view name = Word(rest);
    CheckIdentifier(name, false);
    if (!rest.empty()) Fail("unexpected text after the object's name");
    node.className = className;
    node.name = name;
    ParseBody(node, depth, "End");
    return node;
  }

  void ParseBody(DesignNode& node, int depth, std::string_view terminator) {
    std::string_view line;
    while (NextLine(line)) {
      if (line.empty()) continue;
      if (line == terminator) return;
      std::string_view rest = line;
      const std::string_view first = Word(rest);
      if (first == "Begin") {
        node.children.push_back(ParseBegin(line, depth + 1));
      } else if (first == "BeginProperty") {
        if (depth + 1 >= kMaxDepth) Fail("objects are nested too deeply");
        DesignNode group;
        group.line = mLine;
        const std::string_view name = Word(rest);
        CheckIdentifier(name, false);
        if (!rest.empty()) Fail("unexpected text after the group's name");
        group.className = "Property";
        group.name = name;
        ParseBody(group, depth + 1, "EndProperty");
        node.groups.push_back(std::move(group));
      } else {
        ParseSetting(node, line);
      }
    }
    Fail("missing " + std::string(terminator) + " for '" + node.name + "'");
  }

  void ParseSetting(DesignNode& node, std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) Fail("expected a setting: name = value");
    std::string_view key = line.substr(0, equals);
    while (!key.empty() && IsSpace(key.back())) key.remove_suffix(1);
    CheckIdentifier(key, false);
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && IsSpace(value.front())) value.remove_prefix(1);
    node.settings.emplace_back(std::string(key), ParseValue(value));
  }

  DesignValue ParseValue(std::string_view text) const {
    DesignValue out;
    out.line = mLine;
    if (text.empty()) Fail("a setting needs a value");
    if (text.front() == '"') {
      std::string bytes;
      std::size_t i = 1;
      for (;;) {
        if (i >= text.size()) Fail("the string has no closing quote");
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            bytes += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        bytes += text[i++];
      }
      if (i != text.size()) Fail("unexpected text after the string");
      out.value = std::move(bytes);
      return out;
    }
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
      std::string_view digits = text.substr(2);
      if (!digits.empty() && digits.back() == '&') digits.remove_suffix(1);
      std::uint64_t value = 0;
      const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
      if (digits.empty() || ec != std::errc{} || ptr != digits.data() + digits.size() ||
          value > 0xFFFFFFFFu) {
        Fail("'" + std::string(text) + "' is not a hexadecimal value of 32 bits");
      }
      out.value = static_cast<std::int64_t>(value);
      return out;
    }
    std::int64_t whole = 0;
    const char* end = text.data() + text.size();
    if (auto [ptr, ec] = std::from_chars(text.data(), end, whole); ec == std::errc{} && ptr == end) {
      out.value = whole;
      return out;
    }
    double real = 0;
    if (auto [ptr, ec] = std::from_chars(text.data(), end, real);
        ec == std::errc{} && ptr == end && std::isfinite(real)) {
      out.value = real;
      return out;
    }
    Fail("'" + std::string(text) + "' is not a value");
  }

  std::string_view mText;
  std::string_view mFile;
  std::size_t mPos = 0;
  int mLine = 0;
};

}  // namespace

DesignNode ParseFormDesign(std::string_view text, std::string_view fileName) {
  return Parser(text, fileName).ParseFile();
}

}  // namespace runtime
