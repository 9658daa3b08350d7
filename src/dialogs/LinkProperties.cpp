#include "dialogs/LinkProperties.h"

#include "dialogs/DialogFields.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphObjectList.h"
#include "localization/DlgTexte.h"
#include "localization/widgets/FormTranslator.h"
#include "platform/types/UpdateBracket.h"
#include "ui_LinkProperties.h"

#include <QLayout>
#include <optional>

namespace zov {
namespace {

struct TStyleChoice {
    TPenStyle Style;
    QRadioButton* Ui::TLinkProperties::*Button;
    TLineSample* Ui::TLinkProperties::*Sample;
};
constexpr TStyleChoice kStyles[] = {
    {psSolid, &Ui::TLinkProperties::StyleSolid, &Ui::TLinkProperties::SampleSolid},
    {psDash, &Ui::TLinkProperties::StyleDash, &Ui::TLinkProperties::SampleDash},
    {psDot, &Ui::TLinkProperties::StyleDot, &Ui::TLinkProperties::SampleDot},
};

} // namespace

bool TLinkProperties::Execute(const TGraphObjectList& links, QWidget* owner) {
    return ExecuteOnObjects<TLinkProperties>(links, owner);
}

TLinkProperties::TLinkProperties(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TLinkProperties>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fUi->AllOptions->setWrapping(true); // two columns of three
    for (const TStyleChoice& choice : kStyles) {
        ((*fUi).*choice.Sample)->SetPenStyle(choice.Style);
    }
    connect(fUi->btnChangeFont, &QPushButton::clicked, this, [this] { ChooseFont(this, fFont); });
    TFormTranslator(DlgTexte, objectName()).TranslateExplicit(*this, kLinkPropertiesKeys);
}

TLinkProperties::~TLinkProperties() = default;

void TLinkProperties::Fill(const std::vector<TGraphObject*>& links) {
    L = links;
    const auto& first = dynamic_cast<const TGraphLink&>(*L.front());
    Ui::TLinkProperties& ui = *fUi;
    ui.LinkLabel->setText(first.Text());
    ShowValue(*ui.LabelPosition, first.TextPosition());
    ShowValue(*ui.LabelSpacing, first.TextSpacing());
    ShowValue(*ui.PenWidth, first.Pen().Width());
    for (const TStyleChoice& choice : kStyles) {
        if (first.Pen().Style() == choice.Style) {
            (ui.*choice.Button)->setChecked(true);
        }
    }
    ui.LinkLineColor->SetColor(first.Pen().Color());
    ui.LinkStyleColor->SetColor(first.Brush().Color());
    ui.LineBeginStyle->setCurrentIndex(first.BeginStyle());
    ShowValue(*ui.LineBeginSize, first.BeginSize());
    ui.LineEndStyle->setCurrentIndex(first.EndStyle());
    ShowValue(*ui.LineEndSize, first.EndSize());
    fFont.Assign(first.Font());
    ShowObjectOptions(*ui.AllOptions, first.Options());
    for (TGraphLinkOption option : {gloFixedStartPoint, gloFixedEndPoint, gloFixedBreakPoints}) {
        ShowChecked(*ui.AllOptions, 3 + option, first.LinkOptions().Contains(option));
    }
}

void TLinkProperties::Apply() {
    const Ui::TLinkProperties& ui = *fUi;
    std::optional<TPenStyle> style;
    for (const TStyleChoice& choice : kStyles) {
        if ((ui.*choice.Button)->isChecked()) {
            style = choice.Style;
        }
    }
    TGraphLinkOptions linkOptions;
    for (TGraphLinkOption option : {gloFixedStartPoint, gloFixedEndPoint, gloFixedBreakPoints}) {
        if (IsChecked(*ui.AllOptions, 3 + option)) {
            linkOptions.Include(option);
        }
    }
    WithUpdate(DocumentOf(*L.front()), [&] {
        for (TGraphObject* object : L) {
            auto& link = dynamic_cast<TGraphLink&>(*object);
            link.SetText(ui.LinkLabel->text());
            link.SetTextPosition(ui.LabelPosition->value());
            link.SetTextSpacing(ui.LabelSpacing->value());
            link.Pen().SetWidth(ui.PenWidth->value());
            if (style) {
                link.Pen().SetStyle(*style);
            }
            link.Pen().SetColor(ui.LinkLineColor->Color());
            link.Brush().SetColor(ui.LinkStyleColor->Color());
            link.SetBeginStyle(static_cast<TLinkBeginEndStyle>(ui.LineBeginStyle->currentIndex()));
            link.SetBeginSize(static_cast<uint8_t>(ui.LineBeginSize->value()));
            link.SetEndStyle(static_cast<TLinkBeginEndStyle>(ui.LineEndStyle->currentIndex()));
            link.SetEndSize(static_cast<uint8_t>(ui.LineEndSize->value()));
            link.SetFont(fFont);
            link.SetOptions(CheckedObjectOptions(*ui.AllOptions));
            link.SetLinkOptions(linkOptions);
        }
    });
}

} // namespace zov
