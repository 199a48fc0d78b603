#pragma once

// What the window's benchmarks share: the platform of a window whose tasks Qt's event loop
// resumes, and a watch on how long that loop went without a turn.

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

#include "support/recording_platform.h"

namespace korvex::bench {

// The window's platform: message boxes recorded, the session's tasks resumed by Qt's
// event loop, as in the real window.
class WindowPlatform : public test::RecordingPlatform {
 public:
  void post(std::function<void()> work) override {
    QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
  }
};

// The longest time between two turns of the window's event loop while it is watched.
class StallWatch {
 public:
  StallWatch() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { turn(); });
  }
  void start() {
    last_ = Clock::now();
    longest_ = {};
    timer_.start();
  }
  double stopMs() {
    timer_.stop();
    return std::chrono::duration<double, std::milli>(longest_).count();
  }

 private:
  using Clock = std::chrono::steady_clock;
  void turn() {
    const auto now = Clock::now();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
};

}  // namespace korvex::bench
