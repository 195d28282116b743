#include "print/pdf_print_port_wx.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/graphics.h>  // first: the bridge below needs wx's configuration
// clang-format off
#include <wx/dcgraph.h>
// clang-format on

#include <memory>

#include "print/page_painter_wx.h"

namespace zrv {
namespace {

constexpr int kA4Width = 595;  // points
constexpr int kA4Height = 842;
constexpr int kMargin = 18;  // the unprintable edge of a common printer, a quarter inch
// Drawn in tenths of a point, as a printer of 720 dpi would: the letters' widths, rounded to
// whole units by the font's hinting, then scale as the sizes do.
constexpr int kUnitsPerPoint = 10;
constexpr int kUnitsPerInch = 72 * kUnitsPerPoint;

struct SurfaceCloser {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoCloser {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

}  // namespace

PrintOutcome PdfPrintPort::print(const PrintJob& job) {
  ++jobs_;
  std::unique_ptr<cairo_surface_t, SurfaceCloser> surface(
      cairo_pdf_surface_create(file_.c_str(), kA4Width, kA4Height));
  std::unique_ptr<cairo_t, CairoCloser> cr(cairo_create(surface.get()));
  cairo_translate(cr.get(), kMargin, kMargin);
  cairo_scale(cr.get(), 1.0 / kUnitsPerPoint, 1.0 / kUnitsPerPoint);
  const wxSize printable((kA4Width - 2 * kMargin) * kUnitsPerPoint,
                         (kA4Height - 2 * kMargin) * kUnitsPerPoint);
  for (const PrintPage& page : job.pages) {
    {
      // The context draws on cairo's until the DC goes; the page ends after that.
      wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr.get()));
      paintPage(dc, page, printable, kUnitsPerInch);
    }
    cairo_show_page(cr.get());
  }
  cr.reset();
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS ? PrintOutcome::Printed
                                                                     : PrintOutcome::Failed;
}

}  // namespace zrv
