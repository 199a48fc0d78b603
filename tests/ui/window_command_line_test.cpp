// Runs the real korvex program for what it answers without opening its window.
#include <gtest/gtest.h>

#include "support/child_process.h"

namespace korvex {
namespace {

// A display that cannot be reached: answering must not need one.
const test::ProcessOptions kNoDisplay{
    .environment = {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":4097"}, {"WAYLAND_DISPLAY", ""}},
    .killAfter = std::chrono::seconds(30)};

TEST(WindowCommandLineTest, HelpAndVersionAnswerWithZeroWithoutADisplay) {
  const test::ProcessRun version = test::runProcess(KORVEX_WINDOW_PATH, {"--version"}, kNoDisplay);
  EXPECT_EQ(version.exitCode, 0) << version.err;
  EXPECT_EQ(version.out, "korvex " KORVEX_VERSION "\n");

  const test::ProcessRun help =
      test::runProcess(KORVEX_WINDOW_PATH, {"--demo", "--help"}, kNoDisplay);
  EXPECT_EQ(help.exitCode, 0) << help.err;
  EXPECT_TRUE(help.out.starts_with("usage: korvex [--demo] [--user-data]")) << help.out;
}

TEST(WindowCommandLineTest, AnUnknownArgumentExitsWithTwoAndTheUsage) {
  const test::ProcessRun run = test::runProcess(
      KORVEX_WINDOW_PATH, {"--user-data", "--demp"},
      {.environment = {{"QT_QPA_PLATFORM", "offscreen"}}, .killAfter = std::chrono::seconds(30)});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("unknown argument --demp\nusage: korvex"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace korvex
