#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "session/session.h"
#include "text/result.h"

class QWidget;

namespace korvex::ui {

// korvex-demo-service as the window's child, for trying the program without an account:
// it listens on a free loopback port, and the window's files go to a temporary folder so
// that the demo never touches a real kx.log. Both go away with this object.
class DemoLaunch {
 public:
  DemoLaunch() = default;
  ~DemoLaunch();
  DemoLaunch(const DemoLaunch&) = delete;
  DemoLaunch& operator=(const DemoLaunch&) = delete;

  // Starts `program` and waits for the address it announces; fails, saying why in the
  // user's words, when the service is not serving.
  Result<void> start(const QString& program);

  // "http://127.0.0.1:PORT": the service, the exchange and the vendor site all live there.
  const std::string& base() const { return base_; }
  // Holds a kx.log with the demo log-in, so the window opens with it filled in.
  std::filesystem::path workdir() const;
  // Every address on the service, the files and the history in workdir().
  SessionConfig sessionConfig() const;

  // Clicks LOGIN once the window's event loop runs, as the user would.
  static void logIn(QWidget& window);

 private:
  QProcess service_;
  QTemporaryDir folder_;
  std::string base_;
};

// The installed demo service lies beside the program; elsewhere it is looked up on PATH.
QString demoServiceProgram();

}  // namespace korvex::ui
