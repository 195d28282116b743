#include "widgets/dialog_look.h"

#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

#include "app/context.h"
#include "store/base/ascii_case.h"

namespace zrv {
namespace {

constexpr int kPxPerUnit = 2;

bool isSystemFace(const std::string& lowerName) {
  return lowerName.empty() || lowerName == "ms sans serif" || lowerName == "ms shell dlg";
}

}  // namespace

int msSansSerifPixels(int height) {
  // The raster face's sizes 8, 10, 12, 14, 18 and 24 point, as character heights at 96 dpi; a
  // height between two sizes takes the smaller one, one below the smallest the smallest.
  constexpr struct {
    int from;
    int pixels;
  } kSizes[] = {{32, 32}, {24, 24}, {19, 19}, {16, 16}, {13, 13}};
  const int h = height < 0 ? -height : height;
  for (const auto& size : kSizes) {
    if (h >= size.from) return size.pixels;
  }
  return 11;
}

int unitsToPx(const wxWindow* window, int units) {
  const int px = units * kPxPerUnit;
  return window ? window->FromDIP(px) : px;
}

wxRect unitRect(const wxWindow* window, int row, int column, int width, int height) {
  return wxRect(unitsToPx(window, column), unitsToPx(window, row), unitsToPx(window, width),
                unitsToPx(window, height));
}

wxSize pixelSize(const wxWindow* window, int width, int height) {
  return window ? window->FromDIP(wxSize(width, height)) : wxSize(width, height);
}

wxFont smallFont() {
  return dialogFontPx("Ms Sans Serif", 8, false);  // drawn 11 pixels high
}

wxFont smallBoldFont() {
  return dialogFontPx("Ms Sans Serif", 8, true);
}

wxFont dialogFont(std::string_view face, int pointSize, bool bold) {
  const std::string name = asciiLower(face);
  wxFont font;
  if (isSystemFace(name)) {
    font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  } else {
    const wxString wxFace =
        name == "arial" ? wxString("Liberation Sans") : wxString(face.data(), face.size());
    font = wxFont(wxFontInfo(pointSize).FaceName(wxFace).Family(wxFONTFAMILY_SWISS));
  }
  font.SetPointSize(pointSize);
  font.SetWeight(bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
  return font;
}

wxFont dialogFontPx(std::string_view face, int pixelHeight, bool bold) {
  // Fitting a font to a pixel height tries one point size after the other, each measured; the
  // size found is kept for the next window that asks for the same font.
  static std::map<std::tuple<std::string, int, bool>, double> fitted;
  if (isSystemFace(asciiLower(face))) {
    // The character (em) height itself, as the raster face shows it: pixels at 96 dots per inch
    // as points, so that the text keeps its size on screens of other resolutions.
    wxFont font = dialogFont(face, 8, bold);
    font.SetFractionalPointSize(msSansSerifPixels(pixelHeight) * 72.0 / 96.0);
    return font;
  }
  wxFont font = dialogFont(face, 10, bold);
  const auto key = std::make_tuple(asciiLower(face), pixelHeight, bold);
  if (const auto it = fitted.find(key); it != fitted.end()) {
    font.SetFractionalPointSize(it->second);
  } else {
    font.SetPixelSize(wxSize(0, pixelHeight));
    fitted.emplace(key, font.GetFractionalPointSize());
  }
  return font;
}

wxColour colourFromColorRef(unsigned colorRef) {
  return wxColour(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

EntryColours entryColours(const FixedLists& lists) {
  return {colourFromColorRef(static_cast<unsigned>(lists.NCOLF)), colourFromColorRef(lists.NCOLB)};
}

EntryColours defaultEntryColours() {
  return entryColours(FixedLists{});
}

}  // namespace zrv
