#include "dialogs/AlignDialog.h"

#include "ui_AlignDialog.h"

#include <QLayout>

namespace zov {

bool TAlignDialog::Execute(THAlignOption& horzAlign, TVAlignOption& vertAlign, QWidget* owner) {
    TAlignDialog dialog(owner);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    horzAlign = static_cast<THAlignOption>(dialog.fUi->Horz->ItemIndex());
    vertAlign = static_cast<TVAlignOption>(dialog.fUi->Vert->ItemIndex());
    return true;
}

TAlignDialog::TAlignDialog(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TAlignDialog>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fUi->Horz->SetItemIndex(0);
    fUi->Vert->SetItemIndex(0);
    TransAll();
}

TAlignDialog::~TAlignDialog() = default;

} // namespace zov
