#include "output/print_job.h"

namespace orvane {
namespace {

void Check(bool ok) {
  if (!ok) throw PrintFailure{};
}

}  // namespace

PrintJob::OpenDocument::OpenDocument(JobDevice& device) : device_(device) {
  Check(device.StartDocument());
}

bool PrintJob::OpenDocument::Close() noexcept {
  if (!open_) return true;
  open_ = false;
  if (device_.EndDocument()) return true;
  device_.AbortDocument();
  return false;
}

PrintJob::PrintJob(JobDevice& device) : device_(device), document_(device) {
  Check(device_.StartPage());
}

void PrintJob::NextPage() {
  Check(device_.EndPage());
  Check(device_.StartPage());
}

void PrintJob::Finish() {
  Check(device_.EndPage());
  Check(document_.Close());
}

}  // namespace orvane
