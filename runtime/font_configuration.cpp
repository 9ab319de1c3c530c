#include "runtime/font_configuration.h"

#if defined(ZORVANE_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace runtime {

FontConfigurationLoad::FontConfigurationLoad() {
#if defined(ZORVANE_HAVE_FONTCONFIG)
  // The library keeps one configuration per process and installs it
  // atomically; should Qt ask first, it loads its own and one of the two is
  // dropped, never a half-read one.
  mThread = std::jthread([] { FcInit(); });
#endif
}

}  // namespace runtime
