#include "dialogs/DialogFields.h"

#include "graph/document/GraphDocument.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "platform/types/Exceptions.h"

#include <QFontDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <algorithm>

namespace zov {

void ShowValue(QSpinBox& field, int value) {
    field.setRange(std::min(field.minimum(), value), std::max(field.maximum(), value));
    field.setValue(value);
}

void ShowCaption(QPlainTextEdit& memo, const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo.setPlainText(text);
}

QString EditedCaption(const QPlainTextEdit& memo) {
    QString text = memo.toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

QFont MemoFont(const TFont& font) {
    constexpr int maxPixels = 48;
    QFont shown = font.ToQFont();
    shown.setPixelSize(std::min(shown.pixelSize(), maxPixels));
    return shown;
}

void ShowChecked(QListWidget& list, int item, bool checked) {
    list.item(item)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool IsChecked(const QListWidget& list, int item) {
    return list.item(item)->checkState() == Qt::Checked;
}

void ShowObjectOptions(QListWidget& list, TGraphObjectOptions options) {
    for (TGraphObjectOption option : {goLinkable, goSelectable, goShowCaption}) {
        ShowChecked(list, option, options.Contains(option));
    }
}

TGraphObjectOptions CheckedObjectOptions(const QListWidget& list) {
    TGraphObjectOptions options;
    for (TGraphObjectOption option : {goLinkable, goSelectable, goShowCaption}) {
        if (IsChecked(list, option)) {
            options.Include(option);
        }
    }
    return options;
}

bool ChooseFont(QWidget* parent, TFont& font) {
    QFontDialog chooser(font.ToChooserFont(), parent);
    chooser.setObjectName(QStringLiteral("FontDialog"));
    chooser.setOption(QFontDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) {
        return false;
    }
    font.AssignChosenFont(chooser.selectedFont());
    return true;
}

std::vector<TGraphObject*> ObjectsOf(const TGraphObjectList& list) {
    std::vector<TGraphObject*> objects;
    objects.reserve(static_cast<size_t>(list.Count()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        objects.push_back(list.Items(i));
    }
    return objects;
}

TGraphDocument& DocumentOf(const TGraphObject& object) {
    auto* document = dynamic_cast<TGraphDocument*>(object.Owner());
    if (document == nullptr) {
        throw EGraphInvalidOperation(QStringLiteral("The object belongs to no graph"));
    }
    return *document;
}

} // namespace zov
