# SPDX-License-Identifier: MIT
# Writes OUTPUT, a C++ source that holds each of FILES (paths relative to
# BASE) as bytes, so that a program carries its designs and pictures in
# itself on every system without a resource compiler:
#   cmake -DBASE=dir -DFILES="a;b" -DNAMESPACE=ns -DOUTPUT=out.cpp -P embed_files.cmake
# The source defines `std::optional<std::string_view> ns::EmbeddedFile(std::string_view name)`.
cmake_minimum_required(VERSION 3.25)

set(arrays "")
set(entries "")
set(index 0)
foreach(file IN LISTS FILES)
  file(READ "${BASE}/${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # Sixteen bytes to a line keep the source readable in a diff tool.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "// ${file}\nconst unsigned char kFile${index}[${size} + 1] = {\n    ${bytes}0};\n\n")
  string(APPEND entries "    {\"${file}\", kFile${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.new" "// Made by cmake/embed_files.cmake from the files it names; do not edit.
#include <cstddef>
#include <optional>
#include <string_view>

namespace ${NAMESPACE} {
namespace {

${arrays}struct Entry {
  std::string_view name;
  const unsigned char* bytes;
  std::size_t size;
};

const Entry kEntries[] = {
${entries}};

}  // namespace

std::optional<std::string_view> EmbeddedFile(std::string_view name) {
  for (const Entry& entry : kEntries) {
    if (entry.name == name) return std::string_view(reinterpret_cast<const char*>(entry.bytes), entry.size);
  }
  return std::nullopt;
}

}  // namespace ${NAMESPACE}
")
# Only a real change touches the output, so nothing rebuilds for nothing.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
