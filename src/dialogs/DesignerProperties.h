#pragma once

#include "localization/widgets/FormDLG.h"

#include <memory>

namespace Ui {
class TDesignerProperties;
}

namespace zov {

class TRaroviRovoz;

// The graph's own properties: grid, colours and the four information lines.
class TDesignerProperties : public TFormDLG {
    Q_OBJECT
public:
    // Filled from the graph. OK writes every field back in one update and returns
    // true; Cancel changes nothing. Grid and colours are view settings and leave the
    // graph unmodified; changed information lines, which are saved with the graph,
    // mark it modified.
    static bool Execute(TRaroviRovoz& raroviRovoz, QWidget* owner);

    explicit TDesignerProperties(QWidget* parent = nullptr);
    ~TDesignerProperties() override;

private:
    void Fill(const TRaroviRovoz& graph);
    void Apply(TRaroviRovoz& graph) const;

    std::unique_ptr<Ui::TDesignerProperties> fUi;
};

} // namespace zov
