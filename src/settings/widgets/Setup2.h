#pragma once

#include "localization/widgets/FormDLG.h"

#include <memory>

namespace Ui {
class TSetup2;
}

namespace zov {

// The setup dialog: the catalogue language and the user's initials and name. Its
// texts stay as designed; it is not translated.
class TSetup2 : public TFormDLG {
    Q_OBJECT
public:
    // Shows the dialog modally over mainWindow, filled from PRG. OK copies the three
    // texts into PRG and saves the settings (true); Cancel changes nothing (false).
    static bool Execute(QWidget* mainWindow = nullptr);

    explicit TSetup2(QWidget* parent = nullptr);
    ~TSetup2() override;

private:
    void ApplySetup();

    std::unique_ptr<Ui::TSetup2> fUi;
};

} // namespace zov
