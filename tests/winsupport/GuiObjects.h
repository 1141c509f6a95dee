#pragma once

#include <windows.h>

namespace winsupport {

// GDI and USER objects of this process (under Wine, which lacks GetGuiResources: the GDI handle table
// and the windows of this thread).
DWORD liveGdiObjects();
DWORD liveUserObjects();

}  // namespace winsupport
