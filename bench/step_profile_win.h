#pragma once
// Where one refit spends its time: every message the bench's windows receive
// (timed by an outermost subclass) and the GDI and USER calls the program
// makes through its import table (timed by patching that table). Each step's
// own time excludes the steps nested inside it.

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

struct StepRow {
  int depth;          // nesting under the refit, 0 = outermost
  std::string name;   // "edit WM_SETFONT", "CreateFontIndirectW", ...
  double calls;       // per refit, mean
  double selfMs;      // per refit, median of the step's own time
  double totalMs;     // per refit, median including nested steps
};

class StepProfile {
 public:
  // Patches the import table of the bench's own module; once per process.
  static void InstallImportTimers();
  // Names messages to these windows "form ..." and "edit ...", timing them
  // from outside every subclass the program installed.
  static void Watch(HWND form, HWND edit);
  static void Unwatch();

  // One refit is recorded between Begin and End.
  static void Begin();
  static void End();
  static void Reset();
  // Rows in the order the steps first ran, with per-refit figures.
  [[nodiscard]] static std::vector<StepRow> Rows();
  // Calls of a step in the last recorded refit.
  [[nodiscard]] static int CallsInLast(const std::string& name);
};

}  // namespace bench
