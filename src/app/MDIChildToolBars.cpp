// The document window's tool-bar boxes: new objects take their formatting, a selection
// shows its formatting in them, and the user's changes in them apply to the selection.
#include "app/MDIChild.h"
#include "app/MDIChildActions.h"
#include "app/ToolBarValues.h"
#include "dialogs/ColorBox.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"

#include <QAction>
#include <QComboBox>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace zov {

namespace {

// A text up to its first line break (carriage return or line feed).
QString FirstLine(const QString& text) {
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

} // namespace

void TMDIChild::ConnectToolBars() {
    // Only the user's own choices: the program's writes go through setEditText and
    // SetSelected, which emit neither signal.
    connect(cbxFontName, &QComboBox::textActivated, this, &TMDIChild::cbxFontNameChange);
    connect(cbxFontSize, &QComboBox::textActivated, this, &TMDIChild::cbxFontSizeChange);
    connect(LineSize, &QComboBox::textActivated, this, &TMDIChild::LineSize2Change);
    connect(FontColor, &TColorBox::ColorChanged, this, &TMDIChild::FontColorChange);
    connect(NodeBackgroundColor, &TColorBox::ColorChanged, this,
            &TMDIChild::NodeBackgroundColorChange);
    connect(LineColor, &TColorBox::ColorChanged, this, &TMDIChild::LineColorChange);
}

void TMDIChild::FormatFromToolBars(TGraphObject& object) {
    TFontStyles style;
    if (Action(QStringLiteral("FormatBold"))->isChecked()) {
        style.Include(fsBold);
    }
    if (Action(QStringLiteral("FormatItalic"))->isChecked()) {
        style.Include(fsItalic);
    }
    if (Action(QStringLiteral("FormatUnderline"))->isChecked()) {
        style.Include(fsUnderline);
    }
    TFont& font = object.Font();
    font.SetSize(ToolBarInteger(cbxFontSize->currentText(), kMinFontSize, kMaxFontSize)
                     .value_or(font.Size()));
    if (!cbxFontName->currentText().isEmpty()) {
        font.SetName(cbxFontName->currentText());
    }
    font.SetStyle(style);
    if (auto* node = dynamic_cast<TGraphNode*>(&object)) {
        node->SetAlignment(Action(QStringLiteral("FormatAlignLeft"))->isChecked() ? taLeftJustify
                           : Action(QStringLiteral("FormatAlignRight"))->isChecked()
                               ? taRightJustify
                               : taCenter);
        node->SetLayout(Action(QStringLiteral("FormatAlignTop"))->isChecked()      ? tlTop
                        : Action(QStringLiteral("FormatAlignBottom"))->isChecked() ? tlBottom
                                                                                   : tlCenter);
    }
}

void TMDIChild::RaroviRovozObjectSelect(TGraphObject* object) {
    const QScopedValueRollback inChange(bInChange, true);
    TRaroviRovoz& graph = *RaroviRovoz;
    const TGraphCommandMode mode = graph.CommandMode();
    const bool inserting = mode == cmInsertNode || mode == cmInsertLink;
    if (graph.Updating() || inserting) {
        // An object drawn with the mouse is selected as it is made: it takes the
        // colours and the line size of the tool bars.
        if (inserting && object != nullptr && graph.SelectedObjectsCount() > 0) {
            object->Font().SetColor(FontColor->Selected());
            object->Pen().SetColor(LineColor->Selected());
            object->Brush().SetColor(NodeBackgroundColor->Selected());
            object->Pen().SetWidth(
                ToolBarInteger(LineSize->currentText(), kMinLineSize, kMaxLineSize).value_or(1));
        }
        return;
    }
    TGraphObjectList& selected = graph.SelectedObjects();
    if (selected.Count() > 0) {
        const TGraphObject& first = *selected.Items(0);
        ShowFont(first.Font());
        NodeBackgroundColor->SetSelected(first.Brush().Color());
        FontColor->SetSelected(first.Font().Color());
        LineColor->SetSelected(first.Pen().Color());
        LineSize->setEditText(QString::number(first.Pen().Width()));
    }
    const auto* node =
        selected.Count() == 1 ? dynamic_cast<const TGraphNode*>(selected.Items(0)) : nullptr;
    if (node != nullptr) {
        ShowNode(*node);
    } else {
        SetPanel(spPosition, QString());
        SetPanel(spSize, QString());
        SetPanel(spText, QString());
    }
}

void TMDIChild::RaroviRovozObjectChange(TGraphObject* object) {
    TGraphObjectList& selected = RaroviRovoz->SelectedObjects();
    if (object == nullptr || selected.Count() != 1 || selected.Items(0) != object) {
        return;
    }
    ShowFont(object->Font());
    if (const auto* link = dynamic_cast<const TGraphLink*>(object)) {
        SetPanel(spPosition, QString());
        SetPanel(spSize, QStringLiteral("%1 point(s)").arg(link->PointCount()));
        SetPanel(spText, link->Text());
    } else if (const auto* node = dynamic_cast<const TGraphNode*>(object)) {
        ShowNode(*node);
    }
}

void TMDIChild::ShowFont(const TFont& font) {
    cbxFontName->setEditText(font.Name());
    cbxFontSize->setEditText(QString::number(font.Size()));
    Action(QStringLiteral("FormatBold"))->setChecked(font.Style().Contains(fsBold));
    Action(QStringLiteral("FormatItalic"))->setChecked(font.Style().Contains(fsItalic));
    Action(QStringLiteral("FormatUnderline"))->setChecked(font.Style().Contains(fsUnderline));
}

void TMDIChild::ShowNode(const TGraphNode& node) {
    static const char* const kHorizontal[] = {"FormatAlignLeft", "FormatAlignRight",
                                              "FormatCenter"};
    static const char* const kVertical[] = {"FormatAlignTop", "FormatVCenter", "FormatAlignBottom"};
    Action(QLatin1String(kHorizontal[node.Alignment()]))->setChecked(true);
    Action(QLatin1String(kVertical[node.Layout()]))->setChecked(true);
    ShowBounds(node.Left(), node.Top(), node.Width(), node.Height());
    SetPanel(spText, FirstLine(node.Text()));
}

void TMDIChild::ShowBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    SetPanel(spPosition, QStringLiteral("(%1, %2)").arg(left).arg(top));
    SetPanel(spSize, QStringLiteral("%1 x %2").arg(width).arg(height));
}

void TMDIChild::FormatSelection(const char* stepName,
                                const std::function<void(TGraphObject&)>& step) {
    RecordStep(QString::fromLatin1(stepName), ssSelection, [&] { ApplyToSelection(step); });
}

void TMDIChild::cbxFontNameChange(const QString& name) {
    // A typed name that is no entry of the list names no font.
    if (cbxFontName->findText(name) < 0) {
        return;
    }
    FormatSelection("Font", [&name](TGraphObject& object) { object.Font().SetName(name); });
}

void TMDIChild::cbxFontSizeChange(const QString& text) {
    const std::optional<int> size = ToolBarInteger(text, kMinFontSize, kMaxFontSize);
    if (size) {
        FormatSelection("Font Size",
                        [size](TGraphObject& object) { object.Font().SetSize(*size); });
    }
}

void TMDIChild::LineSize2Change(const QString& text) {
    const int width = ToolBarInteger(text, kMinLineSize, kMaxLineSize).value_or(1);
    FormatSelection("Line Size", [width](TGraphObject& object) { object.Pen().SetWidth(width); });
}

void TMDIChild::FontColorChange() {
    if (!bInChange) {
        const TColor color = FontColor->Selected();
        FormatSelection("Font Color",
                        [color](TGraphObject& object) { object.Font().SetColor(color); });
    }
}

void TMDIChild::NodeBackgroundColorChange() {
    if (!bInChange) {
        const TColor color = NodeBackgroundColor->Selected();
        FormatSelection("Background Color",
                        [color](TGraphObject& object) { object.Brush().SetColor(color); });
    }
}

void TMDIChild::LineColorChange() {
    if (!bInChange) {
        const TColor color = LineColor->Selected();
        FormatSelection("Line Color",
                        [color](TGraphObject& object) { object.Pen().SetColor(color); });
    }
}

} // namespace zov
