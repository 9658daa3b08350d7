#include "dialogs/MarginDialog.h"

#include "dialogs/DialogFields.h"
#include "ui_MarginDialog.h"

#include <QLayout>

namespace zov {

bool TMarginDialog::Execute(TRect& margins, QWidget* owner) {
    TMarginDialog dialog(owner);
    Ui::TMarginDialog& ui = *dialog.fUi;
    ShowValue(*ui.mLeft, margins.Left);
    ShowValue(*ui.mTop, margins.Top);
    ShowValue(*ui.mRight, margins.Right);
    ShowValue(*ui.mBottom, margins.Bottom);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    margins = TRect{ui.mLeft->value(), ui.mTop->value(), ui.mRight->value(), ui.mBottom->value()};
    return true;
}

TMarginDialog::TMarginDialog(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TMarginDialog>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TMarginDialog::~TMarginDialog() = default;

} // namespace zov
