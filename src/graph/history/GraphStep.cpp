#include "GraphStep.h"

#include "GraphHistory.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/GraphObject.h"
#include "platform/stream/Stream.h"
#include "platform/types/UpdateBracket.h"

#include <algorithm>
#include <utility>

namespace zov {

namespace {

const std::optional<TObjectImage>& Side(const TObjectChange& change, bool before) {
    return before ? change.Before : change.After;
}

// The objects of the step go to the top, then each to its place, lowest index first:
// every object below a place is then one that belongs below it.
void PlaceInOrder(TGraphDocument& document, const TStepContent& content, bool before) {
    std::vector<std::pair<int32_t, TGraphObject*>> placed;
    for (const TObjectChange& change : content.Objects) {
        const std::optional<TObjectImage>& image = Side(change, before);
        if (image) {
            if (TGraphObject* object = document.FindObjectByID(change.ID)) {
                placed.emplace_back(image->Index, object);
            }
        }
    }
    std::sort(placed.begin(), placed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [index, object] : placed) {
        object->SetZOrder(TGraphObject::TopZOrder);
    }
    for (const auto& [index, object] : placed) {
        object->SetZOrder(index);
    }
}

// Where the object stands before the step's side is put back: exact while no object
// has left, come back or moved, which is what matters for the long lists.
int32_t CurrentIndex(const TStepContent& content, const TObjectChange& change, bool before) {
    if (!before) {
        return change.Before ? change.Before->Index : -1;
    }
    const std::optional<TObjectImage>& image = content.OrderChanged ? change.After : change.Before;
    return image ? image->Index : -1;
}

} // namespace

TObjectImage TObjectImage::Of(TGraphObject& object) {
    TMemoryStream stream;
    object.SaveToStream(stream);
    return {&object.ClassType(), stream.Bytes(), -1, object.Selected()};
}

TGraphStep::TGraphStep(TGraphHistory& history, const QString& name, TStepContent content,
                       TStepMerge merge)
    : QUndoCommand(name), fHistory(history), fContent(std::move(content)), fMerge(merge) {}

void TGraphStep::undo() {
    fHistory.ApplyStep(fContent, true);
}

void TGraphStep::redo() {
    if (std::exchange(fFirstRedo, false)) {
        return;
    }
    fHistory.ApplyStep(fContent, false);
}

bool TGraphStep::mergeWith(const QUndoCommand* other) {
    const auto* later = dynamic_cast<const TGraphStep*>(other);
    if (later == nullptr || later->fMerge != fMerge || fMerge == TStepMerge::None) {
        return false;
    }
    const TStepContent& next = later->fContent;
    if (fContent.OrderChanged || next.OrderChanged || fContent.PageBefore || next.PageBefore ||
        next.Objects.size() != fContent.Objects.size()) {
        return false;
    }
    for (size_t i = 0; i < next.Objects.size(); ++i) {
        const TObjectChange& mine = fContent.Objects[i];
        const TObjectChange& theirs = next.Objects[i];
        if (mine.ID != theirs.ID || !mine.After || !theirs.Before || !theirs.After ||
            !mine.After->SameData(*theirs.Before)) {
            return false;
        }
    }
    bool unchanged = true;
    for (size_t i = 0; i < next.Objects.size(); ++i) {
        TObjectChange& mine = fContent.Objects[i];
        mine.After = next.Objects[i].After;
        unchanged = unchanged && mine.Before && mine.Before->SameData(*mine.After);
    }
    setObsolete(unchanged);
    return true;
}

void ApplyStepSide(TGraphDocument& document, const TStepContent& content, bool before) {
    WithUpdate(document, [&] {
        document.WithQueriesSuspended([&] {
            for (const TObjectChange& change : content.Objects) {
                if (!Side(change, before)) {
                    if (TGraphObject* object = document.FindObjectByID(change.ID)) {
                        object->Free();
                    }
                }
            }
            // Objects coming back are read as when loading: their references are
            // resolved once every one of them is in.
            std::vector<TGraphObject*> returned;
            std::vector<bool> isReturning(content.Objects.size(), false);
            for (size_t i = 0; i < content.Objects.size(); ++i) {
                const TObjectChange& change = content.Objects[i];
                const std::optional<TObjectImage>& image = Side(change, before);
                if (image && document.FindObjectByID(change.ID) == nullptr) {
                    TMemoryStream state(image->State);
                    returned.push_back(
                        TGraphObject::CreateByReading(*image->Class, &document, state));
                    isReturning[i] = true;
                }
            }
            for (size_t i = 0; i < content.Objects.size(); ++i) {
                const TObjectChange& change = content.Objects[i];
                const std::optional<TObjectImage>& image = Side(change, before);
                TGraphObject* object =
                    image && !isReturning[i] ? document.FindObjectByID(change.ID) : nullptr;
                if (object != nullptr) {
                    TMemoryStream state(image->State);
                    object->ReplaceByState(*image->Class, state,
                                           CurrentIndex(content, change, before));
                }
            }
            for (TGraphObject* object : returned) {
                object->Loaded();
            }
            if (content.OrderChanged) {
                PlaceInOrder(document, content, before);
            }
            if (content.PageBefore) {
                document.SetPageInfo(before ? *content.PageBefore : *content.PageAfter);
            }
            document.ClearSelection();
            for (const TObjectChange& change : content.Objects) {
                const std::optional<TObjectImage>& image = Side(change, before);
                if (image && image->Selected) {
                    if (TGraphObject* object = document.FindObjectByID(change.ID)) {
                        object->SetSelected(true);
                    }
                }
            }
        });
    });
}

} // namespace zov
