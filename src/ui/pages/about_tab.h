#pragma once

#include <QWidget>

#include "state/form.h"

class QCheckBox;
class QLineEdit;

namespace korvex::ui {

class WindowKit;

// The first page: the log-in over a drawn court, the version and the vendor's page.
class AboutTab : public QWidget {
 public:
  explicit AboutTab(WindowKit& kit, QWidget* parent = nullptr);

  // Shows what the Form holds of the log-in fields where it differs from what is typed.
  void follow(const AboutPage& about);
  void focusLogIn();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  WindowKit& kit_;
  QLineEdit* loginEdit_ = nullptr;
  QLineEdit* passEdit_ = nullptr;
  QCheckBox* zap_ = nullptr;
};

}  // namespace korvex::ui
