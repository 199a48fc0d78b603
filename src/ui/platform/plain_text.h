#pragma once

#include <QString>

class QLabel;
class QMessageBox;

namespace korvex::ui {

// Names, tournaments, messages and reasons come from the service, the exchange or a file,
// and they are shown as the characters they hold, never read as markup. Qt guesses
// markup in labels, tooltips and message boxes: a name holding "<img src=...>" would load
// that file on the window's thread (a FIFO there would hang the window), and "<a>", "<b>"
// or "<font>" would change what the user reads. Every surface that shows such text goes
// through one of these.

// The label shows its text as plain text; returned for chaining.
QLabel* plainLabel(QLabel* label);
// The message box shows its text as plain text; returned for chaining.
QMessageBox* plainMessage(QMessageBox* box);

// A tooltip that shows `text` as typed. Qt has no plain-text switch for tooltips and reads
// any text that looks like markup as markup, so such text is escaped inside an explicit
// rich-text wrapper that keeps its blanks and line breaks. Other text stays as it is.
QString plainToolTip(const QString& text);

// The body of a desktop notification. A notification service that reads markup in bodies
// (it says so with "body-markup") takes "<b>", "<a href>" and "<img src>" there, so "&",
// "<" and ">" are escaped for it; one that does not shows the body as it comes.
QString notificationBody(const QString& text, bool serviceReadsMarkup);

}  // namespace korvex::ui
