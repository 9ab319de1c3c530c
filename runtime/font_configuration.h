#pragma once

#include <thread>

namespace runtime {

// Reads the system's font configuration on another thread, from construction
// until destruction (which waits for it). Reading it is the dearest step of
// the start that needs no display: it parses every configuration file before
// the first face can be found, and Qt would otherwise do it on the
// user-interface thread as the first text is measured. Started before Qt
// connects to the display, it is done by the time the first font is needed;
// Qt then finds the configuration loaded. Nothing else changes: the same
// configuration, the same faces.
class FontConfigurationLoad {
 public:
  FontConfigurationLoad();
  ~FontConfigurationLoad() = default;
  FontConfigurationLoad(const FontConfigurationLoad&) = delete;
  FontConfigurationLoad& operator=(const FontConfigurationLoad&) = delete;

 private:
  std::jthread mThread;
};

}  // namespace runtime
