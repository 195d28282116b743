#include "widgets/bitmaps.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/module.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "store/base/ascii_case.h"
#include "widgets/bitmap_painter.h"

namespace zrv {
namespace {

using bitmaps::BitmapDef;

const std::map<std::string, const BitmapDef*>& registry() {
  static const auto table = [] {
    std::map<std::string, const BitmapDef*> t;
    for (auto family : {bitmaps::kindBitmaps(), bitmaps::barBitmaps(), bitmaps::calendarBitmaps(),
                        bitmaps::dialogBitmaps()}) {
      for (const BitmapDef& d : family)
        t.emplace(asciiUpper(d.name), &d);
    }
    return t;
  }();
  return table;
}

const BitmapDef* find(std::string_view name) {
  const auto& table = registry();
  const auto it = table.find(asciiUpper(name));
  return it == table.end() ? nullptr : it->second;
}

wxImage transparentImage(const wxSize& size) {
  wxImage image(size.x, size.y, true);  // black
  image.InitAlpha();
  std::memset(image.GetAlpha(), 0, static_cast<size_t>(size.x) * size.y);
  return image;
}

wxImage paintImage(const BitmapDef& def, const wxSize& size) {
  wxImage image = transparentImage(size);
  {
    std::unique_ptr<wxGraphicsContext> gc(
        wxGraphicsRenderer::GetDefaultRenderer()->CreateContextFromImage(image));
    if (gc) {
      gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
      const double scale = std::min(size.x / def.gridWidth, size.y / def.gridHeight);
      gc->Translate((size.x - def.gridWidth * scale) / 2, (size.y - def.gridHeight * scale) / 2);
      gc->Scale(scale, scale);
      bitmaps::Painter painter(*gc);
      def.paint(painter);
    }
  }  // the context writes its pixels back into the image when it goes
  return image;
}

std::filesystem::path& prePaintedFolder() {
  static std::filesystem::path folder;
  return folder;
}

// The picture painted at build time, or an invalid image when there is none of that size.
wxImage prePainted(const BitmapDef& def, const wxSize& size) {
  if (prePaintedFolder().empty()) return {};
  const std::filesystem::path file = prePaintedFolder() / prePaintedFile(def.name, size);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return {};
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxLogNull quiet;  // a damaged file is painted over, not reported
  wxImage image(file.string(), wxBITMAP_TYPE_PNG);
  return image.IsOk() && image.GetSize() == size ? image : wxImage();
}

wxBitmap paint(const BitmapDef& def, const wxSize& size) {
  const wxImage ready = prePainted(def, size);
  return wxBitmap(ready.IsOk() ? ready : paintImage(def, size));
}

// Painted bitmaps by name and size; emptied when wx shuts down, before the toolkit goes.
std::map<std::string, wxBitmap>& cache() {
  static std::map<std::string, wxBitmap> bitmaps;
  return bitmaps;
}

class BitmapCacheModule : public wxModule {
 public:
  bool OnInit() override { return true; }
  void OnExit() override { cache().clear(); }

 private:
  wxDECLARE_DYNAMIC_CLASS(BitmapCacheModule);
};
wxIMPLEMENT_DYNAMIC_CLASS(BitmapCacheModule, wxModule);

}  // namespace

wxBitmap bitmapByName(std::string_view name) {
  return bitmapByName(name, naturalBitmapSize(name));
}

wxBitmap bitmapByName(std::string_view name, const wxSize& size) {
  const wxSize wanted(std::max(size.x, 1), std::max(size.y, 1));
  const BitmapDef* def = find(name);
  if (!def) return wxBitmap(transparentImage(wanted));
  const std::string key =
      asciiUpper(name) + '@' + std::to_string(wanted.x) + 'x' + std::to_string(wanted.y);
  auto& bitmaps = cache();
  auto it = bitmaps.find(key);
  if (it == bitmaps.end()) it = bitmaps.emplace(key, paint(*def, wanted)).first;
  return it->second;
}

wxImage imageByName(std::string_view name, const wxSize& size) {
  const wxSize wanted(std::max(size.x, 1), std::max(size.y, 1));
  const BitmapDef* def = find(name);
  return def ? paintImage(*def, wanted) : transparentImage(wanted);
}

bool hasBitmap(std::string_view name) {
  return find(name) != nullptr;
}

wxSize naturalBitmapSize(std::string_view name) {
  const BitmapDef* def = find(name);
  return def ? wxSize(def->width, def->height) : wxSize(16, 16);
}

std::vector<std::string> bitmapNames() {
  std::vector<std::string> names;
  for (const auto& [key, def] : registry())
    names.emplace_back(def->name);
  return names;
}

void usePrePaintedPictures(const std::filesystem::path& folder) {
  prePaintedFolder() = folder;
}

std::string prePaintedFile(std::string_view name, const wxSize& size) {
  return asciiLower(name) + '-' + std::to_string(size.x) + 'x' + std::to_string(size.y) + ".png";
}

std::vector<std::pair<std::string, wxSize>> prePaintedPictures() {
  return {{"About", wxSize(320, 110)}};  // the about box's banner with the product's name
}

wxIconBundle programIcons() {
  wxIconBundle icons;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    wxIcon icon;
    icon.CopyFromBitmap(bitmapByName("AAAAA", wxSize(size, size)));
    icons.AddIcon(icon);
  }
  return icons;
}

}  // namespace zrv
