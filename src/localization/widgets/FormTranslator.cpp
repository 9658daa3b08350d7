#include "localization/widgets/FormTranslator.h"

#include "localization/DlgTexte.h"
#include "localization/widgets/RadioGroup.h"
#include "localization/widgets/WidgetTexts.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

namespace zov {
namespace {

enum TWidgetKind : uint8_t { wkOther, wkLabel, wkRadioGroup, wkControl, wkMenu };

TWidgetKind KindOf(const QWidget& widget) {
    if (qobject_cast<const QLabel*>(&widget) != nullptr) {
        return wkLabel;
    }
    if (qobject_cast<const TRadioGroup*>(&widget) != nullptr) {
        return wkRadioGroup;
    }
    if (qobject_cast<const QMenu*>(&widget) != nullptr ||
        qobject_cast<const QMenuBar*>(&widget) != nullptr) {
        return wkMenu;
    }
    const bool container = qobject_cast<const QFrame*>(&widget) != nullptr ||
                           qobject_cast<const QGroupBox*>(&widget) != nullptr ||
                           qobject_cast<const QTabWidget*>(&widget) != nullptr ||
                           widget.layout() != nullptr;
    return container || widget.focusPolicy() != Qt::NoFocus ? wkControl : wkOther;
}

// Whether named widgets of ours can lie inside. Labels, radio groups, menus and Qt's
// composite controls hold only their own inner parts, some of which Qt names itself
// (a tab bar's "ScrollLeftButton").
bool MayHoldOwnWidgets(const QWidget& widget, TWidgetKind kind) {
    return kind != wkLabel && kind != wkRadioGroup && kind != wkMenu &&
           qobject_cast<const QAbstractButton*>(&widget) == nullptr &&
           qobject_cast<const QAbstractSpinBox*>(&widget) == nullptr &&
           qobject_cast<const QAbstractSlider*>(&widget) == nullptr &&
           qobject_cast<const QComboBox*>(&widget) == nullptr &&
           qobject_cast<const QLineEdit*>(&widget) == nullptr &&
           qobject_cast<const QTabBar*>(&widget) == nullptr;
}

} // namespace

TFormTranslator::TFormTranslator(TDlgTexte& catalogue, QString windowName)
    : fCatalogue(catalogue), fWindow(std::move(windowName)) {}

bool TFormTranslator::HasOwnName(const QObject& object) {
    const QString name = object.objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QString TFormTranslator::Key(const QString& component, const char* suffix) const {
    return fWindow + QLatin1Char('_') + component + QLatin1String(suffix);
}

void TFormTranslator::TranslateControl(QWidget& widget) {
    const QString name = widget.objectName();
    if (const std::optional<QString> caption = WidgetCaption(widget)) {
        SetWidgetCaption(widget, fCatalogue.Get(Key(name, "_C"), *caption));
    }
    SetWidgetHint(widget, fCatalogue.Get(Key(name, "_H"), WidgetHint(widget)));
}

void TFormTranslator::TransComponents(QObject& parent) {
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr) {
            continue;
        }
        const TWidgetKind kind = KindOf(*widget);
        if (HasOwnName(*widget)) {
            const QString name = widget->objectName();
            switch (kind) {
            case wkLabel:
                SetWidgetCaption(*widget, fCatalogue.Get(Key(name, "_C"), *WidgetCaption(*widget)));
                break;
            case wkRadioGroup: {
                auto& group = static_cast<TRadioGroup&>(*widget);
                group.setTitle(fCatalogue.Get(Key(name, "_C"), group.title()));
                for (qsizetype n = 0; n < group.ItemCount(); ++n) {
                    group.SetItem(
                        n, fCatalogue.Get(Key(name + QString::number(n), "_E"), group.Item(n)));
                }
                break;
            }
            case wkControl:
                TranslateControl(*widget);
                break;
            case wkOther:
            case wkMenu:
                break;
            }
        }
        // Unnamed containers (such as a tab widget's page stack) may hold widgets of ours.
        if (MayHoldOwnWidgets(*widget, kind)) {
            TransComponents(*widget);
        }
    }
}

void TFormTranslator::TranslateOwnControls(QObject& parent) {
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || !HasOwnName(*widget)) {
            continue;
        }
        const TWidgetKind kind = KindOf(*widget);
        if (kind == wkControl || kind == wkRadioGroup) {
            TranslateControl(*widget);
        }
    }
}

void TFormTranslator::TranslateControls(std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
        if (widget != nullptr && HasOwnName(*widget)) {
            TranslateControl(*widget);
        }
    }
}

void TFormTranslator::TranslateActions(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (action == nullptr || !HasOwnName(*action)) {
            continue;
        }
        const QString name = action->objectName();
        action->setText(fCatalogue.Get(Key(name, "_C"), action->text()));
        SetActionHint(*action, fCatalogue.Get(Key(name, "_H"), ActionHint(*action)));
    }
}

void TFormTranslator::TranslateMenus(QMenuBar& bar) {
    for (QAction* item : bar.actions()) {
        QMenu* menu = item->menu();
        if (menu != nullptr && HasOwnName(*menu)) {
            menu->setTitle(fCatalogue.Get(Key(menu->objectName(), "_M"), menu->title()));
        }
    }
}

void TFormTranslator::TranslateExplicit(QWidget& window, std::span<const TExplicitKey> keys) {
    AskExplicitKeys(fCatalogue, fWindow, keys,
                    [&window](const TExplicitKey& row, TExplicitPart part, const QString& text) {
                        const QString component = QString::fromLatin1(row.Component);
                        if (component == QLatin1String(kFormCaption)) {
                            window.setWindowTitle(text);
                            return;
                        }
                        QWidget* widget = window.findChild<QWidget*>(component);
                        if (widget == nullptr) {
                            return;
                        }
                        if (part == epCaption) {
                            SetWidgetCaption(*widget, text);
                        } else {
                            SetWidgetHint(*widget, text);
                        }
                    });
}

} // namespace zov
