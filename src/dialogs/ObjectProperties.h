#pragma once

#include "localization/widgets/FormDLG.h"
#include "platform/graphics/Font.h"

#include <memory>
#include <vector>

namespace Ui {
class TObjectProperties;
}

namespace zov {

class TGraphObject;
class TGraphObjectList;

// The properties nodes and links share, for a selection of both: caption, options,
// fill and line colours, font.
class TObjectProperties : public TFormDLG {
    Q_OBJECT
public:
    // Filled from the first object. OK writes every field to every object of the list
    // in one update of their graph and returns true; Cancel changes nothing.
    static bool Execute(const TGraphObjectList& objects, QWidget* owner);

    explicit TObjectProperties(QWidget* parent = nullptr);
    ~TObjectProperties() override;

private:
    template <class TDialog>
    friend bool ExecuteOnObjects(const TGraphObjectList& objects, QWidget* owner);

    void Fill(const std::vector<TGraphObject*>& objects);
    void Apply();

    std::unique_ptr<Ui::TObjectProperties> fUi;
    std::vector<TGraphObject*> O;
    TFont fFont;
};

} // namespace zov
