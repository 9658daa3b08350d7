#include "dialogs/ObjectProperties.h"

#include "dialogs/DialogFields.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/GraphObject.h"
#include "graph/model/GraphObjectList.h"
#include "platform/types/UpdateBracket.h"
#include "ui_ObjectProperties.h"

#include <QLayout>

namespace zov {

bool TObjectProperties::Execute(const TGraphObjectList& objects, QWidget* owner) {
    return ExecuteOnObjects<TObjectProperties>(objects, owner);
}

TObjectProperties::TObjectProperties(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TObjectProperties>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(fUi->btnChangeFont, &QPushButton::clicked, this, [this] { ChooseFont(this, fFont); });
    TransAll();
}

TObjectProperties::~TObjectProperties() = default;

void TObjectProperties::Fill(const std::vector<TGraphObject*>& objects) {
    O = objects;
    const TGraphObject& first = *O.front();
    ShowCaption(*fUi->ObjectText, first.Text());
    fUi->ObjectFillColor->SetColor(first.Brush().Color());
    fUi->ObjectLineColor->SetColor(first.Pen().Color());
    fFont.Assign(first.Font());
    ShowObjectOptions(*fUi->PublicOptions, first.Options());
}

void TObjectProperties::Apply() {
    const QString text = EditedCaption(*fUi->ObjectText);
    const TGraphObjectOptions options = CheckedObjectOptions(*fUi->PublicOptions);
    WithUpdate(DocumentOf(*O.front()), [&] {
        for (TGraphObject* object : O) {
            object->SetText(text);
            object->Brush().SetColor(fUi->ObjectFillColor->Color());
            object->Pen().SetColor(fUi->ObjectLineColor->Color());
            object->SetFont(fFont);
            object->SetOptions(options);
        }
    });
}

} // namespace zov
