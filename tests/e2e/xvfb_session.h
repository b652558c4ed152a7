// What the in-process X tests share: the virtual desktop of this test run.
#pragma once

#include "e2e/desktop.h"

namespace textorin::testing {

extern const Desktop* g_desktop;

}  // namespace textorin::testing
