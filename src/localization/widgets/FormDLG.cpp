#include "localization/widgets/FormDLG.h"

#include "localization/DlgTexte.h"
#include "localization/widgets/FormTranslator.h"

#include <QMessageBox>

namespace zov {

TFormDLG::TFormDLG(QWidget* parent) : TFormDLG(DlgTexte, parent) {}

TFormDLG::TFormDLG(TDlgTexte& catalogue, QWidget* parent) : QDialog(parent), fCatalogue(catalogue) {
    // A fixed dialog: a title and a close box, nothing to minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("FormDLG"));
}

void TFormDLG::TransAll() {
    // Without a name every key would start with "_" and collide with other unnamed
    // dialogs' keys, so nothing is asked.
    if (!TFormTranslator::HasOwnName(*this)) {
        ReportCaptionFailure();
        return;
    }
    setWindowTitle(fCatalogue.Get(objectName() + QStringLiteral("_M"), windowTitle()));
    TransComponents(*this);
}

void TFormDLG::TransComponents(QWidget& control) {
    TFormTranslator(fCatalogue, objectName()).TransComponents(control);
}

void TFormDLG::ReportCaptionFailure() {
    QMessageBox::information(this, QString(), QStringLiteral("Caption?"));
}

} // namespace zov
