#include "print/print_port_wx.h"

#include <wx/print.h>

#include "print/page_painter_wx.h"
#include "widgets/german_locale.h"

namespace zrv {
namespace {

// The job's pages for the toolkit's printing, drawn in the printable area.
class JobPrintout : public wxPrintout {
 public:
  explicit JobPrintout(const PrintJob& job)
      : wxPrintout(wxString::FromUTF8(job.title)), job_(job) {}

  bool HasPage(int page) override { return page >= 1 && page <= pageCount(); }
  void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override {
    *minPage = *selFrom = 1;
    *maxPage = *selTo = pageCount();
  }
  bool OnPrintPage(int page) override {
    wxDC* dc = GetDC();
    if (!dc || !HasPage(page)) return false;
    int width = 0, height = 0, ppiX = 0, ppiY = 0;
    GetPageSizePixels(&width, &height);
    GetPPIPrinter(&ppiX, &ppiY);
    wxRect area(0, 0, width, height);
    // A context that spans the whole sheet (GTK's does) leaves the quarter inch at the edges
    // that printers cannot reach.
    if (GetPaperRectPixels() == area) area.Deflate(ppiX / 4, ppiY / 4);
    dc->SetDeviceOrigin(area.x, area.y);
    paintPage(*dc, job_.pages[static_cast<std::size_t>(page - 1)], area.GetSize(), ppiY);
    return true;
  }

 private:
  int pageCount() const { return static_cast<int>(job_.pages.size()); }
  const PrintJob& job_;
};

}  // namespace

PrintOutcome WxPrintPort::print(const PrintJob& job) {
  if (job.pages.empty()) return PrintOutcome::Printed;
  loadToolkitTexts();
  wxPrintDialogData data;
  data.SetMinPage(1);
  data.SetMaxPage(static_cast<int>(job.pages.size()));
  data.SetAllPages(true);
  wxPrinter printer(&data);
  JobPrintout printout(job);
  if (printer.Print(parent_, &printout, true)) return PrintOutcome::Printed;
  return wxPrinter::GetLastError() == wxPRINTER_CANCELLED ? PrintOutcome::Cancelled
                                                          : PrintOutcome::Failed;
}

}  // namespace zrv
