#pragma once

#include <QDialog>
#include <memory>

class QTextEdit;

namespace Ui {
class TFindDialog;
}

namespace zov {

// Searches a text editor's document from its cursor on, wrapping round at the end;
// the text found becomes the editor's selection.
class TFindDialog : public QDialog {
    Q_OBJECT

public:
    TFindDialog(QTextEdit& editor, QWidget* parent);
    ~TFindDialog() override;

    // Selects the next occurrence of the search text; false (with a message) when
    // there is none.
    bool FindNext();
    void SetSearchText(const QString& text);

private:
    std::unique_ptr<Ui::TFindDialog> fUi;
    QTextEdit& fEditor;
};

} // namespace zov
