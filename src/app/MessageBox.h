#pragma once

#include <QMessageBox>

namespace zov {

// A modal message box titled with the program's name, its text shown as plain text
// (it often holds file names and captions the user typed), named for tests. Returns
// the button chosen; Esc and the close box answer escape (the last button when
// escape is NoButton).
QMessageBox::StandardButton
AskMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& name, const QString& text,
              QMessageBox::StandardButtons buttons,
              QMessageBox::StandardButton escape = QMessageBox::NoButton);

} // namespace zov
