#pragma once

#include "app/ActionTable.h"

#include <cstdint>

namespace zov {

class TMDIChild;
struct TGraphObjectClass;

// When an action of a document window is enabled (and checked), tested each time the
// event loop is about to wait. "Editable" means the graph is not view-only.
enum TUpdateRule : uint8_t {
    urNone,            // always enabled
    urModified,        // the graph is modified
    urHasObjects,      // the graph has objects
    urCanPrint,        // a printer is installed and the graph has objects
    urSelection,       // objects are selected
    urEditSelection,   // editable and objects are selected
    urPaste,           // editable and the clipboard holds a graph or a metafile
    urSelectAll,       // editable and not every object is selected
    urEditObjects,     // editable and the graph has objects
    urLockNodes,       // editable; checked while nodes are locked
    urLockLinks,       // editable; checked while links are locked
    urMultiSelection,  // more than one object is selected
    urZoomIn,          // zoom below 500
    urZoomOut,         // zoom above 20
    urNoZoom,          // zoom other than 100
    urGrid,            // checked while the grid shows
    urPan,             // a scroll bar shows; checked in pan mode
    urEditMode,        // editable; checked in edit mode
    urInsertLink,      // editable; checked while inserting links
    urInsertNode,      // editable; checked while inserting the row's node class
    urNotYetAvailable, // the window behind the command is still to come
    urUndo,            // a step can be undone; the caption names it
    urRedo,            // a step can be redone; the caption names it
};

// The property holding the undo and redo actions' captions without the step name.
inline constexpr const char* kBaseCaption = "baseCaption";

// What a command keeps for its undo step before it runs.
enum TStepScope : uint8_t {
    ssNone,       // no step: the command changes nothing a graph file stores
    ssSelection,  // the selected objects and the links hooked to them
    ssProperties, // the selection, or without one the page information
};

// How an action keeps its check mark.
enum TActionKind : uint8_t {
    akCommand,   // no check mark
    akToggle,    // flips its own check mark
    akShowState, // checked by its update rule from the graph's state
    akHorzAlign, // one of the three horizontal text alignments
    akVertAlign, // one of the three vertical text alignments
};

// One action of the document window: what the user sees, what it does, when it is
// available.
struct TChildActionRow {
    TActionDesign Design;
    void (TMDIChild::*Handler)(); // unused by the insert and alignment actions
    TUpdateRule Rule;
    TActionKind Kind = akCommand;
    // For the insert actions: the node class they insert.
    const TGraphObjectClass& (*NodeClass)() = nullptr;
};

} // namespace zov
