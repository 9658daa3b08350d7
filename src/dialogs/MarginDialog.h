#pragma once

#include "localization/widgets/FormDLG.h"
#include "platform/types/Types.h"

#include <memory>

namespace Ui {
class TMarginDialog;
}

namespace zov {

// Edits a node's four background margins, in percent of its size. Not translated.
class TMarginDialog : public TFormDLG {
    Q_OBJECT
public:
    // Shows the rectangle's left, top, right and bottom; OK writes the four fields back
    // into it (true), Cancel leaves it alone (false).
    static bool Execute(TRect& margins, QWidget* owner);

    explicit TMarginDialog(QWidget* parent = nullptr);
    ~TMarginDialog() override;

private:
    std::unique_ptr<Ui::TMarginDialog> fUi;
};

} // namespace zov
