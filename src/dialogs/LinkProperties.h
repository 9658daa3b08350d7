#pragma once

#include "localization/widgets/FormDLG.h"
#include "platform/graphics/Font.h"

#include <memory>
#include <vector>

namespace Ui {
class TLinkProperties;
}

namespace zov {

class TGraphObject;
class TGraphObjectList;

// The properties of one or more links: label and its placement, options, line style,
// width and colours, begin and end marks, font.
class TLinkProperties : public TFormDLG {
    Q_OBJECT
public:
    // Filled from the first link. OK writes every field to every link of the list in
    // one update of their graph and returns true; Cancel changes nothing.
    static bool Execute(const TGraphObjectList& links, QWidget* owner);

    explicit TLinkProperties(QWidget* parent = nullptr);
    ~TLinkProperties() override;

private:
    template <class TDialog>
    friend bool ExecuteOnObjects(const TGraphObjectList& objects, QWidget* owner);

    void Fill(const std::vector<TGraphObject*>& links);
    void Apply();

    std::unique_ptr<Ui::TLinkProperties> fUi;
    std::vector<TGraphObject*> L;
    TFont fFont;
};

} // namespace zov
