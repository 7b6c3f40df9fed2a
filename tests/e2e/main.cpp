#include <gtest/gtest.h>

#include <cstdio>

#include "driver.h"

int main(int argc, char** argv) {
  // Real pixels and positions, whatever the display scale.
  if (!::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
    ::SetProcessDPIAware();
  }
  testing::InitGoogleTest(&argc, argv);
  // The desktop the program will open on is up before the first test.
  ::GetDesktopWindow();
  if (::GetFileAttributesW(e2e::ProductPath().c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "Orvane.exe is not beside the test program\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
