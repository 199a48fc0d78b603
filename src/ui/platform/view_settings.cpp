#include "ui/platform/view_settings.h"

#include <QSplitter>

namespace korvex::ui {

QSettings viewSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("korvex"),
                   QStringLiteral("korvex"));
}

void rememberSplitter(QSplitter* splitter, const QString& key) {
  const QString name = QStringLiteral("splitters/") + key;
  splitter->restoreState(viewSettings().value(name).toByteArray());
  QObject::connect(splitter, &QSplitter::splitterMoved, splitter,
                   [splitter, name] { viewSettings().setValue(name, splitter->saveState()); });
}

}  // namespace korvex::ui
