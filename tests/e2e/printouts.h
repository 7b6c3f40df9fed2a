#pragma once
// What comes out of the printer: the print dialog the program shows, and the
// PDF files the bench's PDF printer writes, read with the host's poppler tools
// (pdfinfo, pdftoppm). Wine runs host programs beside the Windows process; the
// folder the printer writes to comes from ORVANE_E2E_PDF_FOLDER (a host path).

#include <windows.h>

#include <chrono>
#include <optional>
#include <set>
#include <string>

#include "driver.h"

namespace e2e {

// Runs a host shell command line (single quotes only) and returns its
// standard output once it has ended; nullopt when it did not end in time.
std::optional<std::string> HostCommand(const std::string& command, std::chrono::milliseconds timeout = 30s);

// One PDF file the printer wrote.
struct Printout {
  std::string path;  // host path
  std::string title;
  int pages = 0;
  // Page (1-based) as rendered at that resolution; landscape pages come out wider than tall.
  [[nodiscard]] Image Page(int page, int dpi = 12) const;
};

// The printer's folder as a test starts, once the printer has finished the
// jobs it had: printouts are the files written after.
class PdfPrinter {
 public:
  PdfPrinter();
  ~PdfPrinter();  // removes the printouts this test made
  PdfPrinter(const PdfPrinter&) = delete;
  PdfPrinter& operator=(const PdfPrinter&) = delete;

  // Whether the bench's PDF printer is there to print to.
  [[nodiscard]] bool Available() const { return !folder_.empty(); }
  // The next printout, once the printer has finished every job it was given.
  std::optional<Printout> Next(std::chrono::milliseconds timeout = 120s);
  // Printouts not taken with Next yet, finished or not.
  [[nodiscard]] std::set<std::string> Pending() const;
  // Whether the program is producing a job now (its spool file is open).
  [[nodiscard]] static bool JobBeingProduced();

 private:
  [[nodiscard]] std::set<std::string> Files() const;
  std::string folder_;
  std::set<std::string> seen_;
  std::set<std::string> made_;
};

// The print dialog the program shows, found among its dialogs by its copies field.
class PrintDialog {
 public:
  // Waits until the program shows it.
  static std::optional<PrintDialog> Wait(const Orvane& app, std::chrono::milliseconds timeout = 10s);
  [[nodiscard]] HWND Window() const { return dialog_; }

  [[nodiscard]] int Copies() const;
  void SetCopies(int copies) const;
  [[nodiscard]] bool Collate() const;
  void SetCollate(bool collate) const;
  // Page range and selection are not offered, nor printing to a file.
  [[nodiscard]] bool OffersPageRange() const;
  [[nodiscard]] bool OffersPrintToFile() const;
  bool Ok() const;
  bool Cancel() const;

 private:
  explicit PrintDialog(HWND dialog) : dialog_(dialog) {}
  bool Press(int id) const;
  HWND dialog_;
};

// How far in from the left of its ink box a glyph's top fifth starts, in
// percent of the box's width: an "A" peaks in the middle, a "B" starts at its
// left edge.
int TopInsetPercent(const Image& page);

}  // namespace e2e
