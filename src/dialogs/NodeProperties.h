#pragma once

#include "localization/widgets/FormDLG.h"
#include "platform/graphics/Font.h"
#include "platform/pictures/Picture.h"
#include "platform/types/Types.h"

#include <memory>
#include <vector>

namespace Ui {
class TNodeProperties;
}

namespace zov {

class TGraphObject;
class TGraphObjectList;

// What OK does with the nodes' background pictures.
enum class TBackgroundChoice : int32_t { Keep, Load, Clear };

// The properties of one or more nodes: caption and its placement, shape, options,
// fill and border, background picture and margins, colours and font.
class TNodeProperties : public TFormDLG {
    Q_OBJECT
public:
    // Filled from the first node. OK writes every field to every node of the list in
    // one update of their graph and returns true; Cancel changes nothing.
    static bool Execute(const TGraphObjectList& nodes, QWidget* owner);

    explicit TNodeProperties(QWidget* parent = nullptr);
    ~TNodeProperties() override;

    // The picture file chooser's name filter: every image format Qt reads, and
    // enhanced metafiles.
    static QString PictureFilter();

private:
    template <class TDialog>
    friend bool ExecuteOnObjects(const TGraphObjectList& objects, QWidget* owner);

    void Fill(const std::vector<TGraphObject*>& nodes);
    void Apply();
    void btnChangeFontClick();
    void btnChangBkgndClick();
    void btnClearBackgroundClick();
    void btnBackgroundMarginsClick();

    std::unique_ptr<Ui::TNodeProperties> fUi;
    TBackgroundChoice Backgnd = TBackgroundChoice::Keep;
    std::vector<TGraphObject*> N;
    TRect MarginRect;
    TFont fFont;
    TPicture fChosenBackground; // read when chosen, so OK cannot fail on it
};

} // namespace zov
