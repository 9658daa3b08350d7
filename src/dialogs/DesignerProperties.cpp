#include "dialogs/DesignerProperties.h"

#include "dialogs/DialogFields.h"
#include "graph/control/RaroviRovoz.h"
#include "platform/types/UpdateBracket.h"
#include "ui_DesignerProperties.h"

#include <QLayout>
#include <array>

namespace zov {
namespace {

constexpr int kInfoLines = 4;

std::array<QLineEdit*, kInfoLines> InfoEdits(const Ui::TDesignerProperties& ui) {
    return {ui.edInfo1, ui.edInfo2, ui.edInfo3, ui.edInfo4};
}

} // namespace

bool TDesignerProperties::Execute(TRaroviRovoz& raroviRovoz, QWidget* owner) {
    TDesignerProperties dialog(owner);
    dialog.Fill(raroviRovoz);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.Apply(raroviRovoz);
    return true;
}

TDesignerProperties::TDesignerProperties(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TDesignerProperties>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    TransAll();
}

TDesignerProperties::~TDesignerProperties() = default;

void TDesignerProperties::Fill(const TRaroviRovoz& graph) {
    Ui::TDesignerProperties& ui = *fUi;
    ui.GridSize->setRange(TGraphDocument::kMinGridSize, TGraphDocument::kMaxGridSize);
    ShowValue(*ui.GridSize, graph.GridSize());
    ui.SnapToGrid->setChecked(graph.SnapToGrid());
    ui.ShowGrid->setChecked(graph.ShowGrid());
    ui.DesignerBackgroundColor->SetColor(graph.Color());
    ui.DesignerMarkerColor->SetColor(graph.MarkerColor());
    ui.DesignerGridColor->SetColor(graph.GridColor());
    const auto edits = InfoEdits(ui);
    for (int i = 0; i < kInfoLines; ++i) {
        edits[i]->setText(graph.Info(i));
    }
}

void TDesignerProperties::Apply(TRaroviRovoz& graph) const {
    const Ui::TDesignerProperties& ui = *fUi;
    bool infoChanged = false;
    WithUpdate(graph, [&] {
        graph.SetSnapToGrid(ui.SnapToGrid->isChecked());
        graph.SetShowGrid(ui.ShowGrid->isChecked());
        graph.SetGridSize(ui.GridSize->value());
        graph.SetColor(ui.DesignerBackgroundColor->Color());
        graph.SetMarkerColor(ui.DesignerMarkerColor->Color());
        graph.SetGridColor(ui.DesignerGridColor->Color());
        const auto edits = InfoEdits(ui);
        for (int i = 0; i < kInfoLines; ++i) {
            const QString before = graph.Info(i);
            graph.SetInfo(i, edits[i]->text());
            infoChanged = infoChanged || graph.Info(i) != before;
        }
    });
    if (infoChanged) {
        graph.SetModified(true);
    }
}

} // namespace zov
