#pragma once

#include "localization/ExplicitKeyLists.h"

#include <QList>
#include <QString>
#include <initializer_list>
#include <span>

class QAction;
class QMenuBar;
class QObject;
class QWidget;

namespace zov {

class TDlgTexte;

// Replaces the design-time texts of one window's widgets, actions and menus by the
// catalogue's texts, the design-time text being the default. Keys are built from the
// window name and the object names: window "_" name "_C" for a caption, "_H" for a
// hint, "_" index "_E" for a radio group item, "_M" for a top-level menu. Objects
// without a name of ours (empty, or Qt's own "qt_" names) are never asked for.
class TFormTranslator {
public:
    TFormTranslator(TDlgTexte& catalogue, QString windowName);

    // Every named widget below parent, depth first in creation order: labels get their
    // caption, radio groups their caption and items, other widgets that take the focus
    // or hold other widgets their caption (when they have one) and hint, anything else
    // nothing. A widget's own texts come before those of the widgets inside it.
    void TransComponents(QObject& parent);
    // The widgets directly below parent only, labels and menus excepted, each with the
    // caption and hint step.
    void TranslateOwnControls(QObject& parent);
    // The caption (when it has one) and hint of each listed widget, in list order.
    void TranslateControls(std::initializer_list<QWidget*> widgets);
    // Each named action's caption, then its hint, in list order.
    void TranslateActions(const QList<QAction*>& actions);
    // The title of every named top-level menu of the bar.
    void TranslateMenus(QMenuBar& bar);
    // The explicit key list of a dialog: captions and hints of the widgets with the
    // listed object names; "FormCaption" is the window's title.
    void TranslateExplicit(QWidget& window, std::span<const TExplicitKey> keys);

    // Whether an object carries a name the keys can be built from.
    static bool HasOwnName(const QObject& object);

private:
    QString Key(const QString& component, const char* suffix) const;
    void TranslateControl(QWidget& widget);

    TDlgTexte& fCatalogue;
    QString fWindow;
};

} // namespace zov
