#include "dialogs/SizeDialog.h"

#include "ui_SizeDialog.h"

#include <QLayout>

namespace zov {

bool TSizeDialog::Execute(TResizeOption& horzSize, TResizeOption& vertSize, QWidget* owner) {
    TSizeDialog dialog(owner);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    horzSize = static_cast<TResizeOption>(dialog.fUi->Horz->ItemIndex());
    vertSize = static_cast<TResizeOption>(dialog.fUi->Vert->ItemIndex());
    return true;
}

TSizeDialog::TSizeDialog(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TSizeDialog>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fUi->Horz->SetItemIndex(0);
    fUi->Vert->SetItemIndex(0);
    TransAll();
}

TSizeDialog::~TSizeDialog() = default;

} // namespace zov
