#include "widgets/bitmaps.h"

#include "support/test_dir.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <set>
#include <string>
#include <vector>

namespace zrv {
namespace {

// Every bitmap resource the program names somewhere.
const std::vector<std::string> kKinds = {"TA70", "TA7", "TA6",  "TA5",  "TA50", "TA4",  "TA40",
                                         "TA3",  "TA1", "TA10", "TA30", "TA60", "TA20", "TA22"};
const std::vector<std::string> kOthers = {
    // beside the kinds, and the list marks
    "TA2", "TA8", "TA80", "Mark0", "Mark1", "Mark2",
    // button bar and menus
    "NEW", "EDIT", "DELETE", "TOCLIP", "FROMCLIP", "FIRST", "PREV", "NEXT", "LAST", "AHAV", "WEEK",
    "USERLIST", "TDATEIEN", "KALENDER", "SETUP", "HELP", "INTOTRAY", "EXIT", "WEB", "EMAIL",
    "UPDATE",
    // dialogs
    "KALENDSM", "S_OPEN", "S_PLAY", "S_OK", "S_NOK", "About", "Stop_Max", "Userlist", "AAAAA",
    "Sounds",
    // calendar
    "KAussen", "KDatum", "KHeute", "KFeier", "KFeier2", "KHeuFei", "KHeuFei2", "KPrivat", "KKWoche",
    "KVorgabe", "M_Minus", "M_Today", "M_Plus", "Y_Plus", "Y_Minus", "KHilfe", "K_Close",
    "Kalender"};

struct Coverage {
  int opaque = 0;
  std::set<unsigned long> colours;
};

Coverage coverage(const wxBitmap& bitmap) {
  const wxImage image = bitmap.ConvertToImage();
  Coverage c;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) {
      if (image.HasAlpha() && image.GetAlpha(x, y) < 128) continue;
      ++c.opaque;
      c.colours.insert((static_cast<unsigned long>(image.GetRed(x, y)) << 16) |
                       (image.GetGreen(x, y) << 8) | image.GetBlue(x, y));
    }
  }
  return c;
}

std::vector<unsigned char> pixels(const wxBitmap& bitmap) {
  const wxImage image = bitmap.ConvertToImage();
  const size_t n = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
  std::vector<unsigned char> out(image.GetData(), image.GetData() + 3 * n);
  if (image.HasAlpha()) out.insert(out.end(), image.GetAlpha(), image.GetAlpha() + n);
  return out;
}

TEST(Bitmaps, EveryNamedResourceIsPaintedAtItsNaturalSize) {
  std::vector<std::string> all = kKinds;
  all.insert(all.end(), kOthers.begin(), kOthers.end());
  for (const auto& name : all) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(hasBitmap(name));
    const wxBitmap bitmap = bitmapByName(name);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.GetSize(), naturalBitmapSize(name));
    const Coverage c = coverage(bitmap);
    const int area = bitmap.GetWidth() * bitmap.GetHeight();
    EXPECT_GT(c.opaque, area / 10) << "hardly anything drawn";
    EXPECT_GE(c.colours.size(), 2u) << "a flat patch is no picture";
  }
}

TEST(Bitmaps, KindsAreSmallAndAllDifferent) {
  std::set<std::vector<unsigned char>> seen;
  for (const auto& name : kKinds) {
    EXPECT_EQ(naturalBitmapSize(name), wxSize(16, 16)) << name;
    EXPECT_TRUE(seen.insert(pixels(bitmapByName(name))).second) << name << " looks like another";
  }
}

TEST(Bitmaps, NamesAreMatchedWithoutRegardToCase) {
  EXPECT_EQ(pixels(bitmapByName("ta7")), pixels(bitmapByName("TA7")));
  EXPECT_EQ(pixels(bitmapByName("MARK1")), pixels(bitmapByName("Mark1")));
  EXPECT_EQ(pixels(bitmapByName("kalendsm")), pixels(bitmapByName("KALENDSM")));
}

TEST(Bitmaps, AnyAskedSizeIsPainted) {
  const wxBitmap big = bitmapByName("TA7", wxSize(40, 40));
  EXPECT_EQ(big.GetSize(), wxSize(40, 40));
  EXPECT_GT(coverage(big).opaque, 160);
  const wxBitmap wide = bitmapByName("NEW", wxSize(40, 20));
  EXPECT_EQ(wide.GetSize(), wxSize(40, 20));
  // Asking twice gives the same picture.
  EXPECT_EQ(pixels(bitmapByName("TA1", wxSize(20, 20))),
            pixels(bitmapByName("TA1", wxSize(20, 20))));
}

TEST(Bitmaps, UnknownNamesGiveATransparentBitmap) {
  for (const std::string name : {"TA99", "", "NO SUCH BITMAP", "TA7 "}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(hasBitmap(name));
    EXPECT_EQ(naturalBitmapSize(name), wxSize(16, 16));
    const wxBitmap bitmap = bitmapByName(name);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.GetSize(), wxSize(16, 16));
    EXPECT_EQ(coverage(bitmap).opaque, 0);
  }
  EXPECT_EQ(bitmapByName("TA99", wxSize(20, 10)).GetSize(), wxSize(20, 10));
  EXPECT_TRUE(bitmapByName("TA7", wxSize(0, -3)).IsOk());
}

TEST(Bitmaps, NamesListedOnceEach) {
  const auto names = bitmapNames();
  std::set<std::string> unique(names.begin(), names.end());
  EXPECT_EQ(unique.size(), names.size());
  for (const auto& name : names)
    EXPECT_TRUE(hasBitmap(name)) << name;
}

TEST(Bitmaps, ProgramIconComesInSeveralSizes) {
  const wxIconBundle icons = programIcons();
  EXPECT_GE(icons.GetIconCount(), 4u);
  EXPECT_EQ(icons.GetIcon(wxSize(16, 16)).GetWidth(), 16);
  EXPECT_EQ(icons.GetIcon(wxSize(32, 32)).GetWidth(), 32);
  EXPECT_EQ(icons.GetIcon(wxSize(48, 48)).GetWidth(), 48);
}

// A lettered picture painted at build time is read from its file; a file of another size, or
// one that is no picture, is painted over instead.
TEST(Bitmaps, PicturesPaintedAtBuildTimeAreReadFromTheirFiles) {
  test::TestDir dir;
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxImage green(300, 100);
  green.SetRGB(wxRect(0, 0, 300, 100), 0, 200, 0);
  ASSERT_TRUE(green.SaveFile((dir / prePaintedFile("About", wxSize(300, 100))).string(),
                             wxBITMAP_TYPE_PNG));
  ASSERT_TRUE(green.SaveFile((dir / prePaintedFile("About", wxSize(301, 100))).string(),
                             wxBITMAP_TYPE_PNG));
  dir.write(prePaintedFile("About", wxSize(302, 100)), "no picture");
  usePrePaintedPictures(dir.path());
  const wxImage read = bitmapByName("about", wxSize(300, 100)).ConvertToImage();
  const wxImage wrongSize = bitmapByName("About", wxSize(301, 100)).ConvertToImage();
  const wxImage damaged = bitmapByName("About", wxSize(302, 100)).ConvertToImage();
  usePrePaintedPictures({});
  EXPECT_EQ(read.GetGreen(150, 50), 200);
  EXPECT_EQ(read.GetRed(150, 50), 0);
  EXPECT_NE(wrongSize.GetGreen(150, 50), 200);  // the banner's blue, painted
  EXPECT_NE(damaged.GetGreen(150, 50), 200);
  EXPECT_EQ(damaged.GetWidth(), 302);
}

}  // namespace
}  // namespace zrv
