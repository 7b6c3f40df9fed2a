#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include "display/font_fit.h"

namespace orvane {
namespace {

TEST(SettingsPath, BesideTheExeWithItsLastExtensionReplaced) {
  EXPECT_EQ(SettingsPathFor(u"C:\\Tools\\Viewer.exe"), u"C:\\Tools\\Viewer.ini");
  EXPECT_EQ(SettingsPathFor(u"C:\\Tools\\my.viewer.exe"), u"C:\\Tools\\my.viewer.ini");
  EXPECT_EQ(SettingsPathFor(u"C:\\Tools\\Viewer"), u"C:\\Tools\\Viewer.ini");
  EXPECT_EQ(SettingsPathFor(u"C:\\v1.3\\Viewer"), u"C:\\v1.3\\Viewer.ini") << "a dot in a folder";
  EXPECT_EQ(SettingsPathFor(u"C:\\Tools\\.exe"), u"C:\\Tools\\.ini") << "a name that is all extension";
  EXPECT_EQ(SettingsPathFor(u".exe"), u".ini");
  EXPECT_EQ(SettingsPathFor(u"..\\Viewer"), u"..\\Viewer.ini") << "the dots of a relative folder";
}

TEST(FontSize, PointsAndPixelsRoundHalfAwayFromZero) {
  EXPECT_EQ(PointsFromHeight(-37, 96), 28);   // 27.75
  EXPECT_EQ(PointsFromHeight(220, 96), -165);  // a fitted cell reads negative
  EXPECT_EQ(PointsFromHeight(2, 96), -2);      // -1.5 goes away from zero
  EXPECT_EQ(PointsFromHeight(-2, 96), 2);
  EXPECT_EQ(HeightFromPoints(28, 96), -37);    // -37.33
  EXPECT_EQ(HeightFromPoints(-165, 96), 220);
  EXPECT_EQ(HeightFromPoints(3, 96), -4);      // 4.0
  EXPECT_EQ(HeightFromPoints(9, 96), -12);
  EXPECT_EQ(HeightFromPoints(27, 144), -54);
  EXPECT_EQ(PointsFromHeight(0, 96), 0);
  EXPECT_EQ(PointsFromHeight(7, 0), 0) << "no division by zero";
}

}  // namespace
}  // namespace orvane
