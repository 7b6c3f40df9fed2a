#pragma once
// A random user: a seeded stream of actions against the real Orvane.exe, with
// the program's health checked every so often. Built on the end-to-end driver.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "../e2e/driver.h"
#include "../e2e/printouts.h"

namespace soak {

struct Options {
  std::uint32_t seed = 0;
  int actions = 1000;
  int checkEvery = 250;
  int prints = 2;  // print jobs allowed in the run: each is slow
  bool verbose = false;  // every action as it is done
  bool hold = false;     // on a fault, leave the program running for a debugger
};

// Thrown on a fault: the run stops and reports the seed and the last actions.
struct Fault {
  std::string what;
};

// Lowest and highest of a count seen.
struct Range {
  std::int64_t low = INT64_MAX, high = INT64_MIN;
  void Add(std::int64_t value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  [[nodiscard]] std::string Text() const {
    return high < low ? "?" : std::to_string(low) + ".." + std::to_string(high);
  }
};

class Soak {
 public:
  explicit Soak(const Options& options);
  ~Soak();
  // Runs every action and the closing round trip; false after a fault.
  bool Run();

 private:
  struct Action {
    std::string name;
    int weight;
    std::function<void()> run;
  };

  // The program, started in the soak's folder (again after it ended).
  void Start();
  void Restart();
  e2e::Orvane& App() { return *app_; }
  // Focus on the text field, no menu or dialog up, the window restored:
  // where the next key lands in the text. False when the program has ended.
  bool Ready();
  // After each action: answers what the program shows, closes file-manager
  // windows, restarts a program that ended of its own accord.
  void Settle();
  void Check(const char* when);
  void CheckBetween(const char* when);  // Check, again after a close that lands mid-check
  void RoundTrip();
  bool Failed(const std::string& what);  // prints the seed and the last actions

  // The program's visible dialogs that take input; answering one.
  std::vector<HWND> OpenDialogs();
  void AnswerDialog(HWND dialog);
  void Escape(HWND dialog);
  bool CloseMenus();

  // Menu choice by keys; path captions may name alternatives with '|'.
  enum class Pick { Done, Grey, Failed };
  Pick Choose(const std::vector<std::wstring>& path);
  bool OpenMenu();

  // Actions.
  void Log(std::string line);
  std::vector<Action> Actions();
  void TypeText(const std::wstring& alphabet, int most);
  void PasteLong();
  // Escape: leaves full screen or telop mode, or closes the window.
  Action EscapeAction(const std::string& name);
  // switchesMode: the keys enter or leave full screen or telop mode.
  void Keys(const std::vector<std::pair<WORD, unsigned>>& keys, const std::string& label,
            const std::function<bool()>& opensDialog = nullptr, bool switchesMode = false);
  bool Blank();
  void AwaitDialog();
  void MenuCommand();
  void SystemMenuItem();
  void WheelZoom();
  void ResizeFrame();
  void DragWindow();
  void Expect(bool condition, const std::string& what);

  int Random(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  [[nodiscard]] bool Framed() const;
  [[nodiscard]] bool Telop() const;

  Options options_;
  std::mt19937 rng_;
  e2e::TestFolder folder_;
  std::unique_ptr<e2e::Orvane> app_;
  std::unique_ptr<e2e::PdfPrinter> printer_;
  std::wstring face_ = L"ＭＳ 明朝";
  std::deque<std::string> last_;
  std::vector<HWND> fileManagers_;
  int mayEnd_ = 0;  // the last action that may end the program, and when
  e2e::Clock::time_point mayEndAt_{};
  bool fileManagerComing_ = false;
  int menuMisses_ = 0;
  int menuModesCancelled_ = 0;
  int done_ = 0;
  int restarts_ = 0;
  int prints_ = 0;
  int dialogsAnswered_ = 0;
  std::int64_t gdiStart_ = -1, userStart_ = -1;
  Range gdi_, user_, kernel_;
  std::size_t peakWorkingSet_ = 0;
  double slowestStart_ = 0;  // seconds
};

}  // namespace soak
