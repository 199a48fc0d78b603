#include "ui/platform/plain_text.h"

#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>

namespace korvex::ui {

QLabel* plainLabel(QLabel* label) {
  label->setTextFormat(Qt::PlainText);
  return label;
}

QMessageBox* plainMessage(QMessageBox* box) {
  box->setTextFormat(Qt::PlainText);
  return box;
}

QString plainToolTip(const QString& text) {
  // The tooltip asks the same question before it shows a text, so what passes here is
  // shown plain.
  if (!Qt::mightBeRichText(text)) return text;
  // Unwrapped, as the plain tooltip shows a line: rich text would break it at a narrow width.
  return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

QString notificationBody(const QString& text, bool serviceReadsMarkup) {
  if (!serviceReadsMarkup) return text;
  // Only the three the markup needs: services differ in which other entities they know.
  QString body;
  body.reserve(text.size());
  for (const QChar c : text) {
    if (c == u'&')
      body += QStringLiteral("&amp;");
    else if (c == u'<')
      body += QStringLiteral("&lt;");
    else if (c == u'>')
      body += QStringLiteral("&gt;");
    else
      body += c;
  }
  return body;
}

}  // namespace korvex::ui
