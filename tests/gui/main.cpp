#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The GUI tests drive the real widgets without a display: the offscreen
// platform must be chosen before the application object exists (ctest also
// runs this binary at build time to list its tests).
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
