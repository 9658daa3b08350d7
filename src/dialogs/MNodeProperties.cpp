#include "dialogs/MNodeProperties.h"

#include "dialogs/DialogFields.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "localization/DlgTexte.h"
#include "localization/widgets/FormTranslator.h"
#include "ui_MNodeProperties.h"

#include <QLayout>

namespace zov {
namespace {

// The line styles offered, with their radio buttons' object names.
struct TStyleChoice {
    TPenStyle Style;
    QRadioButton* Ui::TMNodeProperties::*Button;
    TLineSample* Ui::TMNodeProperties::*Sample;
};
constexpr TStyleChoice kStyles[] = {
    {psSolid, &Ui::TMNodeProperties::StyleSolid, &Ui::TMNodeProperties::SampleSolid},
    {psDash, &Ui::TMNodeProperties::StyleDash, &Ui::TMNodeProperties::SampleDash},
    {psDot, &Ui::TMNodeProperties::StyleDot, &Ui::TMNodeProperties::SampleDot},
    {psDashDotDot, &Ui::TMNodeProperties::StyleDashDot, &Ui::TMNodeProperties::SampleDashDot},
};

} // namespace

bool TMNodeProperties::Execute(const TGraphObjectList& nodes, QWidget* owner) {
    if (nodes.Count() == 0) {
        return false;
    }
    const std::vector<TGraphObject*> objects = ObjectsOf(nodes);
    TMNodeProperties dialog(owner);
    dialog.Fill(*objects.front());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    ApplyMultiNodeEdit(DocumentOf(*objects.front()), objects, dialog.Chosen());
    return true;
}

TMNodeProperties::TMNodeProperties(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      fUi(std::make_unique<Ui::TMNodeProperties>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fUi->BodyColor->SetFillsPanel(true);
    fUi->NodeBorderColor->SetFillsPanel(true);
    for (const TStyleChoice& choice : kStyles) {
        ((*fUi).*choice.Sample)->SetPenStyle(choice.Style);
    }
    connect(fUi->btnFont, &QPushButton::clicked, this, &TMNodeProperties::btnFontClick);
    TFormTranslator(DlgTexte, objectName()).TranslateExplicit(*this, kMNodePropertiesKeys);
}

TMNodeProperties::~TMNodeProperties() = default;

void TMNodeProperties::Fill(const TGraphObject& first) {
    for (const TStyleChoice& choice : kStyles) {
        if (first.Pen().Style() == choice.Style) {
            ((*fUi).*choice.Button)->setChecked(true);
        }
    }
    fUi->BodyColor->SetColor(first.Brush().Color());
    fUi->NodeBorderColor->SetColor(first.Pen().Color());
    fEdit.ReferenceBodyColor = first.Brush().Color();
    fEdit.ReferenceBorderColor = first.Pen().Color();
    fEdit.ReferencePenStyle = first.Pen().Style();
    fEdit.Font.Assign(first.Font());
}

TMultiNodeEdit TMNodeProperties::Chosen() const {
    const Ui::TMNodeProperties& ui = *fUi;
    TMultiNodeEdit edit = fEdit;
    edit.Chain = ui.rbH->isChecked()   ? TChainChoice::Horizontal
                 : ui.rbV->isChecked() ? TChainChoice::Vertical
                                       : TChainChoice::None;
    edit.Width = ui.sWidthMax->isChecked()   ? TSizeChoice::Largest
                 : ui.sWidthMin->isChecked() ? TSizeChoice::Smallest
                                             : TSizeChoice::NoChange;
    edit.Height = ui.sHeightMax->isChecked()   ? TSizeChoice::Largest
                  : ui.sHeightMin->isChecked() ? TSizeChoice::Smallest
                                               : TSizeChoice::NoChange;
    edit.Horz = ui.sHLinks->isChecked()    ? TPlacement::Start
                : ui.sHRight->isChecked()  ? TPlacement::End
                : ui.sHCenter->isChecked() ? TPlacement::Center
                                           : TPlacement::NoChange;
    edit.Vert = ui.sVOben->isChecked()     ? TPlacement::Start
                : ui.sVUnten->isChecked()  ? TPlacement::End
                : ui.sVCenter->isChecked() ? TPlacement::Center
                                           : TPlacement::NoChange;
    edit.BodyColor = ui.BodyColor->Color();
    edit.BorderColor = ui.NodeBorderColor->Color();
    for (const TStyleChoice& choice : kStyles) {
        if ((ui.*choice.Button)->isChecked()) {
            edit.PenStyle = choice.Style;
        }
    }
    return edit;
}

void TMNodeProperties::btnFontClick() {
    ChooseFont(this, fEdit.Font);
}

} // namespace zov
