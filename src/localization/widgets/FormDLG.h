#pragma once

#include <QDialog>

namespace zov {

class TDlgTexte;

// Base of the program's translatable dialogs. The dialog's object name is its window
// name in the catalogue keys, and its widgets' object names are the component names.
class TFormDLG : public QDialog {
    Q_OBJECT
public:
    explicit TFormDLG(QWidget* parent = nullptr);
    // For tests and tools that keep a catalogue of their own.
    TFormDLG(TDlgTexte& catalogue, QWidget* parent);

    // Translates the window title (key window "_M") and then every widget of the
    // dialog. Called once, at the end of the derived dialog's construction.
    void TransAll();

protected:
    // Tells the user that the window title could not be translated (the dialog has no
    // name to build its keys from); the default shows a message box "Caption?".
    virtual void ReportCaptionFailure();

private:
    void TransComponents(QWidget& control);

    TDlgTexte& fCatalogue;
};

} // namespace zov
