#pragma once

#include "graph/document/GraphDocumentTypes.h"
#include "localization/widgets/FormDLG.h"

#include <memory>

namespace Ui {
class TSizeDialog;
}

namespace zov {

// Chooses how the selection's widths and heights are made alike.
class TSizeDialog : public TFormDLG {
    Q_OBJECT
public:
    // Opens with both groups at "No Change". OK stores the chosen options and returns
    // true; Cancel leaves them alone and returns false.
    static bool Execute(TResizeOption& horzSize, TResizeOption& vertSize, QWidget* owner);

    explicit TSizeDialog(QWidget* parent = nullptr);
    ~TSizeDialog() override;

private:
    std::unique_ptr<Ui::TSizeDialog> fUi;
};

} // namespace zov
