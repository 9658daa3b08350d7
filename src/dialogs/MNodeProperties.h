#pragma once

#include "dialogs/MultiNodeEdit.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TMNodeProperties;
}

namespace zov {

class TGraphObjectList;

// Edits many nodes at once: equal sizes, lined-up edges or centres, a chain side by
// side or one below the other, and common colours, line style and font.
class TMNodeProperties : public QDialog {
    Q_OBJECT
public:
    // Filled from the first object; OK applies to the nodes of the list (see
    // ApplyMultiNodeEdit) and returns true, Cancel changes nothing. An empty list
    // changes nothing.
    static bool Execute(const TGraphObjectList& nodes, QWidget* owner);

    explicit TMNodeProperties(QWidget* parent = nullptr);
    ~TMNodeProperties() override;

private:
    void Fill(const TGraphObject& first);
    TMultiNodeEdit Chosen() const;
    void btnFontClick();

    std::unique_ptr<Ui::TMNodeProperties> fUi;
    TMultiNodeEdit fEdit;
};

} // namespace zov
