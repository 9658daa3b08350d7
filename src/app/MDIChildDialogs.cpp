#include "app/MDIChild.h"
#include "dialogs/AlignDialog.h"
#include "dialogs/DesignerProperties.h"
#include "dialogs/LinkProperties.h"
#include "dialogs/MNodeProperties.h"
#include "dialogs/NodeProperties.h"
#include "dialogs/ObjectProperties.h"
#include "dialogs/SizeDialog.h"
#include "dialogs/TextNodeEditor.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "platform/types/UpdateBracket.h"

namespace zov {

// The dialog fits the selection: the graph's own without one, the link dialog for
// links alone, the shared one for links and nodes together, the text editor for
// nodes led by a text node, the node dialog for other nodes.
void TMDIChild::EditPropertiesExecute() {
    TRaroviRovoz& graph = *RaroviRovoz;
    if (graph.SelectedObjectsCount() == 0) {
        TDesignerProperties::Execute(graph, this);
        // Changed information lines mark the graph modified without an event.
        RaroviRovozGraphChange();
        return;
    }
    const int32_t links = graph.SelectedObjectsCount(&TGraphLink::Class());
    if (links == graph.SelectedObjectsCount()) {
        TLinkProperties::Execute(graph.SelectedObjects(), this);
    } else if (links > 0) {
        TObjectProperties::Execute(graph.SelectedObjects(), this);
    } else if (dynamic_cast<TTextNode*>(graph.SelectedObjects().Items(0)) != nullptr) {
        TTextNodeP::Execute(graph.SelectedObjects(), this);
    } else {
        TNodeProperties::Execute(graph.SelectedObjects(), this);
    }
}

void TMDIChild::EditAlignExecute() {
    THAlignOption horz = haNoChange;
    TVAlignOption vert = vaNoChange;
    if (TAlignDialog::Execute(horz, vert, this)) {
        RaroviRovoz->AlignSelection(horz, vert);
    }
}

void TMDIChild::EditSizeExecute() {
    TResizeOption horz = roNoChange;
    TResizeOption vert = roNoChange;
    if (TSizeDialog::Execute(horz, vert, this)) {
        RaroviRovoz->ResizeSelection(horz, vert);
    }
}

void TMDIChild::MultiEditExecute() {
    WithUpdate(*RaroviRovoz,
               [this] { TMNodeProperties::Execute(RaroviRovoz->SelectedObjects(), this); });
    RaroviRovozGraphChange();
}

} // namespace zov
