#pragma once

#include <QSettings>
#include <QString>

class QHeaderView;
class QSplitter;

namespace korvex::ui {

// The window's own settings (column layouts, splitters) in the user's config folder,
// never in the working directory, which keeps only kx.log and the pictures.
QSettings viewSettings();

// Puts back the splitter's sizes saved under `key` and saves them whenever they move.
void rememberSplitter(QSplitter* splitter, const QString& key);

}  // namespace korvex::ui
