// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"

namespace runtime {

// Controls that share a name and are told apart by their index, as Text1(0),
// Text1(1) and Text1(2). An index with no control is run-time error 340.
template <class T>
class ControlArray {
 public:
  explicit ControlArray(std::vector<T*> elements) : mElements(std::move(elements)) {
    std::sort(mElements.begin(), mElements.end(),
              [](const T* a, const T* b) { return a->Index() < b->Index(); });
  }

  T& operator()(int index) const {
    for (T* element : mElements) {
      if (element->Index() == index) return *element;
    }
    Raise(kControlArrayElementMissing, "'" + std::to_string(index) + "'");
  }

  [[nodiscard]] std::size_t Count() const { return mElements.size(); }
  auto begin() const { return mElements.begin(); }
  auto end() const { return mElements.end(); }

 private:
  std::vector<T*> mElements;
};

}  // namespace runtime
