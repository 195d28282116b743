#include "app/coords.h"

#include <gtest/gtest.h>

#include "app/check_ini.h"
#include "app/ini_file.h"
#include "support/test_context.h"

namespace zrv {
namespace {

struct CoordsTest : ::testing::Test {
  CoordsTest() {
    t.dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\n");
    checkIni(t.ctx);
    t.log.log("Zorvane Start", "");
  }
  std::string key(const char* k) const {
    return IniFile(t.dir / "ZORVANE.INI").read("System", k, "-");
  }
  std::string saved() const {
    return key("Top") + "," + key("Left") + "," + key("Bottom") + "," + key("Right") + " " +
           key("Height") + "x" + key("Width");
  }
  test::TestContext t;
};

TEST_F(CoordsTest, GetCoordsReadsTheRectangleWithDefaults) {
  EXPECT_EQ(getCoords(t.ctx), (WindowRect{0, 0, 480, 640}));
  t.dir.write("ZORVANE.INI", "[SYSTEM]\r\nTop=10\r\nLEFT=x\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  EXPECT_EQ(getCoords(t.ctx), (WindowRect{10, 0, 480, 640}));
  EXPECT_NE(t.read("Zorvane.Log").find("(GetCoords) Fensterkoordinaten einlesen: 0,0,480,640\r\n"),
            std::string::npos);
}

TEST_F(CoordsTest, PutCoordsSavesTheLastPixelsAndLogsTheCaller) {
  putCoords(t.ctx, WindowGeometry{100, 50, 800, 600}, "OnMove");
  EXPECT_EQ(saved(), "50,100,649,899 599x799");
  EXPECT_NE(t.read("Zorvane.Log")
                .find("(PutCoords) Fensterkoordinaten speichern: 50,100,649,899 Call von: OnMove"),
            std::string::npos);
  // What was saved gives the same window again.
  EXPECT_EQ(geometryOf(getCoords(t.ctx)), (WindowGeometry{100, 50, 800, 600}));
  EXPECT_EQ(t.read("ZORVANE.SAV"), t.read("ZORVANE.INI"));
  EXPECT_EQ(t.ui.depth, 0);
}

TEST_F(CoordsTest, ASmallWindowIsSavedEnlargedWithItsOwnHeightAndWidth) {
  putCoords(t.ctx, WindowGeometry{20, 10, 300, 200}, "Resize");
  EXPECT_EQ(saved(), "10,20,430,533 199x299");
}

TEST_F(CoordsTest, AWindowAtTheTopIsNotSavedButTheBackupIsWritten) {
  putCoords(t.ctx, WindowGeometry{100, 50, 800, 600}, "OnMove");
  putCoords(t.ctx, WindowGeometry{30, 0, 700, 500}, "OnMove");
  putCoords(t.ctx, WindowGeometry{30, -20, 700, 500}, "OnMove");
  putCoords(t.ctx, WindowGeometry{30, 3000, 700, 500}, "OnMove");
  EXPECT_EQ(saved(), "50,100,649,899 599x799");
  t.dir.write("ZORVANE.SAV", "stale");
  putCoords(t.ctx, WindowGeometry{30, 0, 700, 500}, "Resize");
  EXPECT_EQ(t.read("ZORVANE.SAV"), t.read("ZORVANE.INI"));
}

TEST_F(CoordsTest, ANegativeLeftBecomesZero) {
  putCoords(t.ctx, WindowGeometry{-40, 70, 800, 600}, "OnMove");
  // The width is measured from the corrected left edge.
  EXPECT_EQ(saved(), "70,0,669,759 599x759");
}

TEST_F(CoordsTest, ADamagedRectangleStillGivesAUsableWindow) {
  EXPECT_EQ(geometryOf(WindowRect{100, 100, 50, -20}), (WindowGeometry{100, 100, 513, 420}));
  EXPECT_EQ(geometryOf(WindowRect{}), (WindowGeometry{0, 0, 641, 481}));
}

// Absurd numbers in the settings file give a window on the screen, not one as large as the X
// server allows.
TEST_F(CoordsTest, AbsurdCoordinatesGiveAWindowOnTheScreen) {
  t.dir.write("ZORVANE.INI",
              "[System]\r\nTop=-99999999999999999999\r\nLeft=7\r\nBottom=1e308\r\n"
              "Right=99999999999999999999\r\n");
  const WindowGeometry g = fitOnScreen(geometryOf(getCoords(t.ctx)), 1280, 1024);
  EXPECT_EQ(g, (WindowGeometry{0, 0, 1280, 1024}));
  EXPECT_EQ(fitOnScreen(WindowGeometry{5000, -300, 700, 500}, 1280, 1024),
            (WindowGeometry{580, 0, 700, 500}));
  EXPECT_EQ(fitOnScreen(WindowGeometry{10, 10, 700, 500}, 400, 300),
            (WindowGeometry{0, 0, 400, 300}));
}

}  // namespace
}  // namespace zrv
