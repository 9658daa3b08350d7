#include "app/ActionTable.h"

#include "app/ErrorReport.h"
#include "localization/widgets/WidgetTexts.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

namespace zov {

QAction* CreateAction(const TActionSpec& spec, QObject* parent) {
    auto* action = new QAction(QString::fromUtf8(spec.Caption), parent);
    action->setObjectName(QString::fromLatin1(spec.Name));
    if (spec.Shortcut != nullptr) {
        action->setShortcut(
            QKeySequence(QString::fromLatin1(spec.Shortcut), QKeySequence::PortableText));
    }
    if (spec.Icon != nullptr) {
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.Icon))));
    }
    if (spec.Hint != nullptr) {
        SetActionHint(*action, QString::fromUtf8(spec.Hint));
    }
    return action;
}

void OnTriggered(QAction* action, QObject* context, std::function<void()> command) {
    QObject::connect(action, &QAction::triggered, context, [command = std::move(command)] {
        try {
            command();
        } catch (const std::exception& error) {
            ShowErrorMessage(error);
        }
    });
}

} // namespace zov
