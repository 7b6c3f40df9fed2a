#include "output/print_job.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace orvane {
namespace {

// A printer that logs its calls ("doc page end-page end-doc abort") and fails
// those it is told to: the call's name and which of its calls, from 1.
class FakeDevice final : public JobDevice {
 public:
  explicit FakeDevice(std::multimap<std::string, int> failing) : failing_(std::move(failing)) {}

  bool StartDocument() override { return Call("doc"); }
  bool StartPage() override { return Call("page"); }
  bool EndPage() override { return Call("end-page"); }
  bool EndDocument() override { return Call("end-doc"); }
  void AbortDocument() override { (void)Call("abort"); }

  std::string log;

 private:
  bool Call(const std::string& name) {
    log += log.empty() ? name : " " + name;
    const int count = ++counts_[name];
    auto [first, last] = failing_.equal_range(name);
    for (auto it = first; it != last; ++it) {
      if (it->second == count) return false;
    }
    return true;
  }
  std::multimap<std::string, int> failing_;
  std::map<std::string, int> counts_;
};

// Two pages, run as the print commands run a job; the drawing of the page
// numbered failingDrawing throws, as a failed drawing call does.
bool PrintTwoPages(JobDevice& device, int failingDrawing) {
  try {
    PrintJob job(device);
    for (int page = 1; page <= 2; ++page) {
      if (page > 1) job.NextPage();
      if (page == failingDrawing) throw PrintFailure{};
    }
    job.Finish();
    return true;
  } catch (const PrintFailure&) {
    return false;
  }
}

TEST(PrintJob, EveryWayOutOfAStartedDocumentEndsOrAbortsIt) {
  struct Case {
    const char* what;
    std::multimap<std::string, int> failing;
    int failingDrawing;
    const char* log;
  };
  const Case cases[] = {
      {"all goes well", {}, 0, "doc page end-page page end-page end-doc"},
      {"the document does not start", {{"doc", 1}}, 0, "doc"},
      {"the first page does not start", {{"page", 1}}, 0, "doc page end-doc"},
      {"nor does the document end then", {{"page", 1}, {"end-doc", 1}}, 0, "doc page end-doc abort"},
      {"the second page does not start", {{"page", 2}}, 0, "doc page end-page page end-doc"},
      {"the first page does not end", {{"end-page", 1}}, 0, "doc page end-page end-doc"},
      {"a drawing fails", {}, 2, "doc page end-page page end-doc"},
      {"the last page does not end", {{"end-page", 2}}, 0, "doc page end-page page end-page end-doc"},
      {"the document does not end", {{"end-doc", 1}}, 0, "doc page end-page page end-page end-doc abort"},
  };
  for (const Case& c : cases) {
    FakeDevice device(c.failing);
    EXPECT_EQ(PrintTwoPages(device, c.failingDrawing), c.failing.empty() && c.failingDrawing == 0) << c.what;
    EXPECT_EQ(device.log, c.log) << c.what;
  }
}

}  // namespace
}  // namespace orvane
