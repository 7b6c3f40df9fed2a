#pragma once
// The frame of a print job: the document started, its pages started and
// ended, and the document ended, or aborted where ending fails, on every way
// out, so the spooler holds no half job. Portable; the shell supplies the
// printer's calls.

namespace orvane {

// A failed printer call; printing's failures pass in silence.
struct PrintFailure {};

// StartDoc, StartPage, EndPage, EndDoc and AbortDoc of one printer: true
// where the call succeeded.
class JobDevice {
 public:
  virtual bool StartDocument() = 0;
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDocument() = 0;
  virtual void AbortDocument() = 0;

 protected:
  ~JobDevice() = default;
};

// A started document with its first page started; raises PrintFailure. A
// failure leaves the document ended (the pages made print) or aborted, the
// constructor's own too.
class PrintJob {
 public:
  explicit PrintJob(JobDevice& device);
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  ~PrintJob() = default;

  void NextPage();
  void Finish();

 private:
  // Ends the document when it goes, or aborts it where ending fails.
  class OpenDocument {
   public:
    explicit OpenDocument(JobDevice& device);
    OpenDocument(const OpenDocument&) = delete;
    OpenDocument& operator=(const OpenDocument&) = delete;
    ~OpenDocument() { (void)Close(); }
    // Whether the document ended; false when it was aborted.
    bool Close() noexcept;

   private:
    JobDevice& device_;
    bool open_ = true;
  };

  JobDevice& device_;
  OpenDocument document_;  // a member, so a constructor that fails still closes it
};

}  // namespace orvane
