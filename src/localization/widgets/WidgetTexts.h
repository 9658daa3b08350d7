#pragma once

#include <QString>
#include <optional>

class QAction;
class QWidget;

namespace zov {

// The translatable texts of widgets and actions. A hint is kept as the tool tip (its
// short part) and the status tip (its long part), and read back as "short|long", or
// as the tool tip alone when both parts are the same.

// The caption of a widget that has one (labels, buttons, check boxes, radio buttons,
// group boxes, tool bars); nothing for the others, such as edit fields and combo boxes.
std::optional<QString> WidgetCaption(const QWidget& widget);
// False when the widget has no caption.
bool SetWidgetCaption(QWidget& widget, const QString& caption);

QString WidgetHint(const QWidget& widget);
void SetWidgetHint(QWidget& widget, const QString& hint);

// An action with neither a status tip nor a tool tip other than Qt's stand-in made
// from its text has no hint.
QString ActionHint(const QAction& action);
void SetActionHint(QAction& action, const QString& hint);

} // namespace zov
