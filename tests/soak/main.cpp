// orvane_soak [--seed=S] [--actions=N] [--check-every=N] [--prints=N] [--verbose] [--hold]
// A random user against the real Orvane.exe beside this program. Exit code 0
// when every check held; on a fault it prints the seed and the last actions.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "soak.h"

int main(int argc, char** argv) {
  if (!::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) ::SetProcessDPIAware();
  soak::Options options;
  options.seed = std::random_device{}() ^ static_cast<unsigned>(::GetTickCount());
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](const char* name) -> const char* {
      std::string prefix = std::string(name) + "=";
      return arg.rfind(prefix, 0) == 0 ? argv[i] + prefix.size() : nullptr;
    };
    if (const char* v = value("--seed")) {
      options.seed = static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10));
    } else if (const char* v = value("--actions")) {
      options.actions = std::atoi(v);
    } else if (const char* v = value("--check-every")) {
      options.checkEvery = std::max(1, std::atoi(v));
    } else if (const char* v = value("--prints")) {
      options.prints = std::atoi(v);
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--hold") {
      options.hold = true;
    } else {
      std::fprintf(stderr, "usage: orvane_soak [--seed=S] [--actions=N] [--check-every=N] [--prints=N] [--verbose] [--hold]\n");
      return 2;
    }
  }
  // Said first, so that even a run that hangs can be replayed.
  std::printf("soak: seed %u, %d actions\n", options.seed, options.actions);
  std::fflush(stdout);
  ::GetDesktopWindow();
  if (::GetFileAttributesW(e2e::ProductPath().c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "Orvane.exe is not beside the soak program\n");
    return 2;
  }
  soak::Soak run(options);
  return run.Run() ? 0 : 1;
}
