#pragma once

#include "graph/model/GraphObjectList.h"
#include "graph/model/GraphTypes.h"

#include <QDialog>
#include <QFont>
#include <QString>
#include <vector>

class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QWidget;

namespace zov {

class TFont;
class TGraphDocument;
class TGraphObject;

// Shows value in the field, widening the field's range when the value lies outside it,
// so that confirming an untouched dialog never changes what the objects hold.
void ShowValue(QSpinBox& field, int value);

// A caption as memos show it (lines end in LF) and as graphs store it (CR LF, as the
// classic program writes them, so files stay alike).
void ShowCaption(QPlainTextEdit& memo, const QString& caption);
QString EditedCaption(const QPlainTextEdit& memo);
// An object's font for showing its caption in a memo, limited to a readable size.
QFont MemoFont(const TFont& font);

// Check lists whose items stand for options, one item per option in order.
void ShowChecked(QListWidget& list, int item, bool checked);
bool IsChecked(const QListWidget& list, int item);
// goLinkable, goSelectable and goShowCaption as items 0 to 2.
void ShowObjectOptions(QListWidget& list, TGraphObjectOptions options);
TGraphObjectOptions CheckedObjectOptions(const QListWidget& list);

// Runs the font chooser preset with font; true (and font changed) when the user
// confirmed it.
bool ChooseFont(QWidget* parent, TFont& font);

// The objects of a list, as a copy the editing may change freely.
std::vector<TGraphObject*> ObjectsOf(const TGraphObjectList& list);
// The graph an object belongs to.
TGraphDocument& DocumentOf(const TGraphObject& object);

// The run of an object dialog: filled from the objects, shown, applied on OK. False
// for an empty list and on Cancel.
template <class TDialog> bool ExecuteOnObjects(const TGraphObjectList& objects, QWidget* owner) {
    if (objects.Count() == 0) {
        return false;
    }
    TDialog dialog(owner);
    dialog.Fill(ObjectsOf(objects));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.Apply();
    return true;
}

} // namespace zov
