#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

class QAction;
class QPrinter;

namespace Ui {
class TfrmPrintPreview;
}

namespace zov {

class TPrintPreview;

// The print preview window: a tool bar over the preview control PP1, to zoom, print
// and save the pages as PDF. Not translated.
class TfrmPrintPreview : public QDialog {
    Q_OBJECT

public:
    // printer: set up by the document window, used for the page and for printing.
    TfrmPrintPreview(QPrinter& printer, QWidget* parent);
    ~TfrmPrintPreview() override;

    TPrintPreview& Preview() const;
    QAction* Action(const char* name) const;

private:
    void CreateActions();
    void PrintExecute();
    void SavingPdfExecute();

    std::unique_ptr<Ui::TfrmPrintPreview> fUi;
    QPrinter& fPrinter;
    QHash<QString, QAction*> fActions;
};

} // namespace zov
