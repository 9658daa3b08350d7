#include "FindDialog.h"

#include "ui_FindDialog.h"

#include <QMessageBox>
#include <QTextDocument>
#include <QTextEdit>

namespace zov {

TFindDialog::TFindDialog(QTextEdit& editor, QWidget* parent)
    : QDialog(parent), fUi(std::make_unique<Ui::TFindDialog>()), fEditor(editor) {
    fUi->setupUi(this);
    connect(fUi->FindNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
}

TFindDialog::~TFindDialog() = default;

void TFindDialog::SetSearchText(const QString& text) {
    fUi->FindText->setText(text);
}

bool TFindDialog::FindNext() {
    const QString text = fUi->FindText->text();
    if (text.isEmpty()) {
        return false;
    }
    QTextDocument::FindFlags flags;
    if (fUi->MatchCase->isChecked()) {
        flags |= QTextDocument::FindCaseSensitively;
    }
    if (fUi->WholeWord->isChecked()) {
        flags |= QTextDocument::FindWholeWords;
    }
    const QTextDocument& document = *fEditor.document();
    QTextCursor found = document.find(text, fEditor.textCursor(), flags);
    if (found.isNull()) {
        found = document.find(text, 0, flags); // on from the start
    }
    if (found.isNull()) {
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("Cannot find \"%1\".").arg(text));
        return false;
    }
    fEditor.setTextCursor(found);
    return true;
}

} // namespace zov
