// The main of every test program: GoogleTest, with the build's folders in the environment
// (KAVO9_BIN: the programs, KAVO9_SOURCE: the source tree) for tests that start the real programs.
// Window tests also get their QApplication here.
// The folders are compiled in because test discovery cannot pass several environment variables.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#ifdef KAVO9_TEST_WITH_QT
#include <QApplication>
#endif

int main(int argc, char** argv) {
  setenv("KAVO9_BIN", KAVO9_BIN_DIR, /*overwrite=*/0);
  setenv("KAVO9_SOURCE", KAVO9_SOURCE_DIR, 0);
#ifdef KAVO9_TEST_WITH_QT
  // Window tests: one application object for the whole program, on the offscreen platform
  // unless the caller chose another.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
#endif
  testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
