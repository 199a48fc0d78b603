// korvex-cli export: grids written as CSV files the way a spreadsheet reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using test::Reply;

std::string readWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Two matches whose names hold a quote, a comma, a line break and Cyrillic (CP1251 on
// the wire: "Иванов" is C8 E2 E0 ED EE E2).
constexpr const char* kLine =
    "<match><country>Russia</country><id>17</id><nameliga>Cup, \"A\"</nameliga>"
    "<polliga>M</polliga><date>07.06.2024</date><time>10:30</time>"
    "<home>\xC8\xE2\xE0\xED\xEE\xE2 I.</home><away>O'Neil, \"Jr\"</away>"
    "<kf1>1.50</kf1><kf2>2.60</kf2></match>"
    "<match><id>18</id><polliga>W</polliga><date>08.06.2024</date><time>09:00</time>"
    "<home>Line\r\nBreak</home><away>Smith J.</away><kf1>3.10</kf1><kf2>1.35</kf2></match>";

class ExportTest : public testing::Test {
 protected:
  void SetUp() override {
    server.route("/refresh/korvex4.3.txt", Reply{.body = "4.3"});
    server.fallback([](const test::RecordedRequest& request) {
      if (request.target.find("menu=line") != std::string::npos) return Reply{.body = kLine};
      return Reply{.body = "ok"};
    });
  }

  test::ProgramRun cli(std::vector<std::string> actions) {
    std::vector<std::string> args{"--service",   server.base(), "--exchange",
                                  server.base(), "--workdir",   dir.path().string(),
                                  "type-login",  "u",           "type-password",
                                  "p",           "login"};
    args.insert(args.end(), actions.begin(), actions.end());
    return test::runProgram(KORVEX_CLI_PATH, args);
  }

  test::TestServer server;
  test::TempDir dir;
};

TEST_F(ExportTest, TheLineAndTheReportAreWrittenAsRfc4180InUtf8) {
  const auto line = dir / "line.csv";
  const auto report = dir / "report.csv";
  const test::ProgramRun run =
      cli({"export", "RX", line.string(), "export", "RG", report.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const std::string rx = readWhole(line);
  // The identifier and the handicap and total columns are hidden in the window, so left
  // out; the flag and the gender pictures write their hints.
  EXPECT_TRUE(rx.starts_with(",,DATE,TIME,HOME,AWAY,1,2\r\n")) << rx;
  EXPECT_NE(rx.find("\"Russia. . Cup, \"\"A\"\"\",Men,07.06.2024,10:30,Иванов I.,"
                    "\"O'Neil, \"\"Jr\"\"\",1.50,2.60\r\n"),
            std::string::npos)
      << rx;
  EXPECT_NE(rx.find(",Women,08.06.2024,09:00,\"Line\r\nBreak\",Smith J.,3.10,1.35\r\n"),
            std::string::npos)
      << rx;
  EXPECT_LT(rx.find("Иванов"), rx.find("Smith")) << "rows in the grid's order";

  const std::string rg = readWhole(report);
  EXPECT_NE(rg.find("Иванов I."), std::string::npos) << rg;
  EXPECT_NE(rg.find("Smith J."), std::string::npos) << rg;
}

TEST_F(ExportTest, NamesThatASpreadsheetWouldRunAreWrittenAsText) {
  server.route("/login/kx.php?login=u&pass=p&menu=line",
               Reply{.body = "<match><id>1</id><country>@Evil</country><nameliga>X</nameliga>"
                             "<date>07.06.2024</date><time>10:30</time>"
                             "<home>=cmd|' /C calc'!A0</home><away>-2.5</away>"
                             "<kf1>1.50</kf1><kf2>2.60</kf2></match>"});
  const auto line = dir / "line.csv";
  ASSERT_EQ(cli({"export", "RX", line.string()}).exitCode, 0);
  EXPECT_NE(
      readWhole(line).find("'@Evil. . X,,07.06.2024,10:30,'=cmd|' /C calc'!A0,-2.5,1.50,2.60"),
      std::string::npos)
      << readWhole(line);
}

TEST_F(ExportTest, AnEmptyJournalWritesItsCaptionsAlone) {
  const auto journal = dir / "journal.csv";
  const test::ProgramRun run = cli({"export", "SBX", journal.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string csv = readWhole(journal);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1) << csv;
  EXPECT_TRUE(csv.ends_with("\r\n")) << csv;
}

TEST_F(ExportTest, AFailedExportSaysWhyExitsOneAndTheRestStillRuns) {
  const auto missing = dir / "no such folder" / "line.csv";
  const auto written = dir / "live.csv";
  const test::ProgramRun run =
      cli({"export", "RX", missing.string(), "export", "LG", written.string(), "summary"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("export RX"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::exists(written));
  EXPECT_NE(run.out.find("\"rows\""), std::string::npos) << "summary still printed";
}

TEST_F(ExportTest, AnUnknownGridIsAUsageError) {
  const test::ProgramRun run = cli({"export", "XX", (dir / "x.csv").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("no grid is called XX"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace korvex
