// SPDX-License-Identifier: MIT
// A source of one layer, compiled with that layer's include path and
// nothing else. As it stands it includes a header of its own layer (OWN) and
// compiles. With ABOVE naming a header of a layer above, it must not
// compile: a layer reaches only the layers below it, and the build itself
// holds it to that.
#include OWN

#if defined(ABOVE)
#include ABOVE
#endif
