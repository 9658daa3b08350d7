#include "localization/widgets/WidgetTexts.h"

#include "localization/Hints.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QToolBar>

namespace zov {
namespace {

QString JoinHint(const QString& shortPart, const QString& longPart) {
    return longPart.isEmpty() || longPart == shortPart ? shortPart
                                                       : shortPart + QLatin1Char('|') + longPart;
}

} // namespace

std::optional<QString> WidgetCaption(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) {
        return box->title();
    }
    if (qobject_cast<const QToolBar*>(&widget) != nullptr) {
        return widget.windowTitle();
    }
    return std::nullopt;
}

bool SetWidgetCaption(QWidget& widget, const QString& caption) {
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(caption);
    } else if (auto* box = qobject_cast<QGroupBox*>(&widget)) {
        box->setTitle(caption);
    } else if (qobject_cast<QToolBar*>(&widget) != nullptr) {
        widget.setWindowTitle(caption);
    } else {
        return false;
    }
    return true;
}

QString WidgetHint(const QWidget& widget) {
    return JoinHint(widget.toolTip(), widget.statusTip());
}

void SetWidgetHint(QWidget& widget, const QString& hint) {
    widget.setToolTip(ShortHint(hint));
    widget.setStatusTip(LongHint(hint));
}

QString ActionHint(const QAction& action) {
    // Without a tool tip of its own, QAction answers with its stripped text, which is
    // also what iconText() gives. That stand-in counts as the short part only beside a
    // long part, since a short hint usually repeats the caption.
    const bool standIn = action.toolTip() == action.iconText() && action.statusTip().isEmpty();
    return standIn ? QString() : JoinHint(action.toolTip(), action.statusTip());
}

void SetActionHint(QAction& action, const QString& hint) {
    action.setToolTip(ShortHint(hint));
    action.setStatusTip(LongHint(hint));
}

} // namespace zov
