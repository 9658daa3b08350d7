#include "app/ActionTable.h"

#include "app/ErrorReport.h"
#include "localization/widgets/WidgetTexts.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

namespace zov {

QAction* CreateAction(const TActionDesign& design, QObject* parent) {
    auto* action = new QAction(QString::fromUtf8(design.Caption), parent);
    action->setObjectName(QString::fromLatin1(design.Name));
    if (design.Shortcut != nullptr) {
        action->setShortcut(
            QKeySequence(QString::fromLatin1(design.Shortcut), QKeySequence::PortableText));
    }
    if (design.Icon != nullptr) {
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(design.Icon))));
    }
    if (design.Hint != nullptr) {
        SetActionHint(*action, QString::fromUtf8(design.Hint));
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
