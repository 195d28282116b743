#include "ui/bitmaps.h"

#include <wx/image.h>
#include <wx/module.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>

#include "ui/bitmap_painter.h"

namespace zrv {
namespace {

using bitmaps::BitmapDef;

std::string upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

const std::map<std::string, const BitmapDef*>& registry() {
  static const auto table = [] {
    std::map<std::string, const BitmapDef*> t;
    for (auto family : {bitmaps::kindBitmaps(), bitmaps::barBitmaps(), bitmaps::calendarBitmaps(),
                        bitmaps::dialogBitmaps()}) {
      for (const BitmapDef& d : family)
        t.emplace(upper(d.name), &d);
    }
    return t;
  }();
  return table;
}

const BitmapDef* find(std::string_view name) {
  const auto& table = registry();
  const auto it = table.find(upper(name));
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

wxBitmap paint(const BitmapDef& def, const wxSize& size) {
  return wxBitmap(paintImage(def, size));
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
      upper(name) + '@' + std::to_string(wanted.x) + 'x' + std::to_string(wanted.y);
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
