// SPDX-License-Identifier: MIT
// The refresh tick runs a hundred times a second for as long as the window
// is open: when nothing changes it must not allocate. Every allocation of the
// process is counted here, the window system's included, by standing in for
// malloc.
#include <atomic>
#include <cstddef>

#include "main_window/main_window_fixture.h"
#include "runtime/controls/timer.h"
#include "runtime/values/text.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void __libc_free(void* pointer);
}

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

extern "C" void* malloc(std::size_t size) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, std::size_t size) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(pointer, size);
}
extern "C" void free(void* pointer) { __libc_free(pointer); }

namespace {

using test_support::MainWindowTest;

TEST_F(MainWindowTest, ATickThatChangesNothingAllocatesNothing) {
  for (const char* input : {"33", "", "40abc", "999999"}) {
    SCOPED_TRACE(input);
    Write(0, runtime::Utf16(input));
    runtime::Boundary([&] { form.Timer1.Tick.Raise(); });  // settles colour and menu
    gAllocations = 0;
    gCounting = true;
    for (int i = 0; i < 100; ++i) runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
    gCounting = false;
    EXPECT_EQ(gAllocations.load(), 0);
  }
  // The count is real: a write that changes the input allocates, given a
  // text too long to be kept without.
  gAllocations = 0;
  gCounting = true;
  Write(0, u"123456789012");
  gCounting = false;
  EXPECT_GT(gAllocations.load(), 0);
}

}  // namespace
