#pragma once

#include <QWidget>

class QLineEdit;

namespace korvex::ui {

class GridView;

// Above a list: a field that keeps the rows whose players or tournament hold its text
// (Ctrl+F reaches it), and Men / Women toggles where the list knows the gender.
class FilterBar : public QWidget {
  Q_OBJECT

 public:
  explicit FilterBar(GridView* view, QWidget* parent = nullptr);

  QLineEdit* field() const { return field_; }

 protected:
  // Esc in the field clears it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* field_;
};

// "Count: shown of total" while the view filters, else the count the loader wrote, or of
// the last good rows while the view shows those.
QString countText(const GridView& view, const QString& loaderCount);

}  // namespace korvex::ui
