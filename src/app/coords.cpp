#include "app/coords.h"

#include <algorithm>
#include <limits>
#include <string>

#include "app/context.h"
#include "app/settings_backup.h"
#include "app/settings_file.h"
#include "ports/user_interface.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

int clampToInt(long v) {
  return static_cast<int>(std::clamp<long>(v, std::numeric_limits<int>::min() / 2,
                                           std::numeric_limits<int>::max() / 2));
}

std::string fourNumbers(const WindowRect& r) {
  return std::to_string(r.top) + "," + std::to_string(r.left) + "," + std::to_string(r.bottom) +
         "," + std::to_string(r.right);
}

}  // namespace

WindowRect getCoords(Context& ctx) {
  using namespace keys;
  const SettingsFile ini = settingsFile(ctx);
  WindowRect r;
  r.top = clampToInt(ini.number(Top));
  r.left = clampToInt(ini.number(Left));
  r.bottom = clampToInt(ini.number(Bottom));
  r.right = clampToInt(ini.number(Right));
  ctx.log.log("GetCoords", "Fensterkoordinaten einlesen: " + fourNumbers(r));
  return r;
}

void putCoords(Context& ctx, const WindowGeometry& window, std::string_view caller) {
  using namespace keys;
  ctx.ui.busy(true);
  WindowRect r{window.y, window.x, window.y + window.height - 1, window.x + window.width - 1};
  r.top = std::max(r.top, 0);
  r.left = std::max(r.left, 0);
  const int height = r.bottom - r.top;
  const int width = r.right - r.left;
  r.bottom = r.top + std::max(height, kMinWindowHeight);
  r.right = r.left + std::max(width, kMinWindowWidth);
  if (r.bottom > 0 && r.top > 0 && r.top < 3000) {
    settingsFile(ctx).setNumbers({{Top, r.top},
                                  {Left, r.left},
                                  {Bottom, r.bottom},
                                  {Right, r.right},
                                  {Height, height},
                                  {Width, width}});
    ctx.log.log("PutCoords", "Fensterkoordinaten speichern: " + fourNumbers(r) +
                                 " Call von: " + std::string(caller));
  }
  backUpSettings(ctx);
  ctx.ui.busy(false);
}

WindowGeometry geometryOf(const WindowRect& rect) {
  // In long: the saved numbers may lie far apart.
  const long width = long(rect.right) - rect.left + 1;
  const long height = long(rect.bottom) - rect.top + 1;
  return WindowGeometry{rect.left, rect.top, clampToInt(std::max<long>(width, kMinWindowWidth)),
                        clampToInt(std::max<long>(height, kMinWindowHeight))};
}

WindowGeometry fitOnScreen(const WindowGeometry& g, int screenWidth, int screenHeight) {
  const int screenW = std::max(screenWidth, 1);
  const int screenH = std::max(screenHeight, 1);
  WindowGeometry out;
  out.width = std::clamp(g.width, std::min(kMinWindowWidth, screenW), screenW);
  out.height = std::clamp(g.height, std::min(kMinWindowHeight, screenH), screenH);
  out.x = std::clamp(g.x, 0, screenW - out.width);
  out.y = std::clamp(g.y, 0, screenH - out.height);
  return out;
}

}  // namespace zrv
