#include "settings/widgets/Setup2.h"

#include "settings/ZOVUtil.h"
#include "ui_Setup2.h"

namespace zov {

bool TSetup2::Execute(QWidget* mainWindow) {
    TSetup2 dialog(mainWindow);
    dialog.fUi->cmbLANGUAGE->setCurrentText(PRG.LANGUAGE);
    dialog.fUi->edUSER_KENN->setText(PRG.USER_KENN);
    dialog.fUi->edUSER_NAME->setText(PRG.USER_NAME);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.ApplySetup();
    return true;
}

TSetup2::TSetup2(QWidget* parent) : TFormDLG(parent), fUi(std::make_unique<Ui::TSetup2>()) {
    fUi->setupUi(this);
}

TSetup2::~TSetup2() = default;

void TSetup2::ApplySetup() {
    PRG.LANGUAGE = fUi->cmbLANGUAGE->currentText();
    PRG.USER_KENN = fUi->edUSER_KENN->text();
    PRG.USER_NAME = fUi->edUSER_NAME->text();
    SaveProgramSettings();
}

} // namespace zov
