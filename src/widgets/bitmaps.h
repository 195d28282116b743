// The program's bitmap resources by name: the appointment kinds ("TA7"), the button bar, the
// calendar, the dialogs and the program icon. All are painted in code; names are matched without
// regard to case, as resource names are. An unknown name gives a transparent bitmap.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

namespace zrv {

// The bitmap at its natural size (e.g. 16 × 16 for a kind, 22 × 22 for a bar button).
wxBitmap bitmapByName(std::string_view name);
// The bitmap painted at `size` pixels; the picture keeps its proportions and is centred.
wxBitmap bitmapByName(std::string_view name, const wxSize& size);
// The same picture as an image, painted anew; needs no display (for build-time tools).
wxImage imageByName(std::string_view name, const wxSize& size);
bool hasBitmap(std::string_view name);
// The natural size; 16 × 16 for an unknown name.
wxSize naturalBitmapSize(std::string_view name);
// Every known name, as the program spells it.
std::vector<std::string> bitmapNames();
// The program icon ("AAAAA") in the sizes window managers and tray hosts ask for.
wxIconBundle programIcons();

// Pictures with lettering are painted at build time, since drawing letters at run time would
// keep their fonts loaded for the whole run: from here on such a picture is read from
// `folder`/<name>-<width>x<height>.png when that file exists (see prePaintedFile).
void usePrePaintedPictures(const std::filesystem::path& folder);
// The file name under which a picture painted at build time is looked for.
std::string prePaintedFile(std::string_view name, const wxSize& size);
// The pictures painted at build time, at the sizes the windows use.
std::vector<std::pair<std::string, wxSize>> prePaintedPictures();

}  // namespace zrv
