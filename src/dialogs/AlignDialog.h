#pragma once

#include "graph/document/GraphDocumentTypes.h"
#include "localization/widgets/FormDLG.h"

#include <memory>

namespace Ui {
class TAlignDialog;
}

namespace zov {

// Chooses how the selection is lined up horizontally and vertically.
class TAlignDialog : public TFormDLG {
    Q_OBJECT
public:
    // Opens with both groups at "No change". OK stores the chosen options and returns
    // true; Cancel leaves them alone and returns false.
    static bool Execute(THAlignOption& horzAlign, TVAlignOption& vertAlign, QWidget* owner);

    explicit TAlignDialog(QWidget* parent = nullptr);
    ~TAlignDialog() override;

private:
    std::unique_ptr<Ui::TAlignDialog> fUi;
};

} // namespace zov
