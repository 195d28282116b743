// Build-time generator of the program's pictures: writes the icon the windows show as
// zorvane-<size>.png (16 to 256 pixels) for the desktop, and the pictures with lettering that
// the program reads instead of painting them, into the folder given as its argument.
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "widgets/bitmaps.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  // The toolkit proper (not only wx's base): lettering takes its fonts from it.
  wxApp::SetInstance(new wxApp);
  wxInitializer wx(argc, argv);
  if (!wx.IsOk()) return 1;
  wxImage::AddHandler(new wxPNGHandler);
  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const auto file = dir / ("zorvane-" + std::to_string(size) + ".png");
    if (!zrv::imageByName("AAAAA", wxSize(size, size)).SaveFile(file.string(), wxBITMAP_TYPE_PNG)) {
      std::fprintf(stderr, "%s: cannot write\n", file.string().c_str());
      return 1;
    }
  }
  for (const auto& [name, size] : zrv::prePaintedPictures()) {
    const auto file = dir / zrv::prePaintedFile(name, size);
    if (!zrv::imageByName(name, size).SaveFile(file.string(), wxBITMAP_TYPE_PNG)) {
      std::fprintf(stderr, "%s: cannot write\n", file.string().c_str());
      return 1;
    }
  }
  return 0;
}
