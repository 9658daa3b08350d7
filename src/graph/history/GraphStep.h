#pragma once

#include "graph/persistence/GraphFile.h"

#include <QByteArray>
#include <QUndoCommand>
#include <cstdint>
#include <optional>
#include <vector>

namespace zov {

class TGraphDocument;
class TGraphHistory;
class TGraphObject;
struct TGraphObjectClass;

// What a step keeps of one object: its class and object-state body, its place in the
// drawing order and whether it was selected.
struct TObjectImage {
    const TGraphObjectClass* Class = nullptr;
    QByteArray State;
    int32_t Index = -1;
    bool Selected = false;

    // The class and state of the object; the index is the caller's to fill in.
    static TObjectImage Of(TGraphObject& object);
    bool SameData(const TObjectImage& other) const {
        return Class == other.Class && State == other.State;
    }
};

// One object before and after a step, by ID; no image: the object did not exist.
struct TObjectChange {
    uint32_t ID = 0;
    std::optional<TObjectImage> Before;
    std::optional<TObjectImage> After;
};

// Everything one step changed.
struct TStepContent {
    std::vector<TObjectChange> Objects;
    // Objects joined, left or moved in the drawing order: the images' indexes count.
    bool OrderChanged = false;
    std::optional<TGraphFileInfo> PageBefore;
    std::optional<TGraphFileInfo> PageAfter;

    bool Empty() const { return Objects.empty() && !PageBefore; }
};

// Which steps may become one: a run of the same kind on the same objects.
enum class TStepMerge : int { None = -1, KeyMove = 1, KeyResize = 2 };

// One entry of the undo stack: puts the objects it touched back into the state before
// or after it, by ID, in their drawing order.
class TGraphStep : public QUndoCommand {
public:
    TGraphStep(TGraphHistory& history, const QString& name, TStepContent content, TStepMerge merge);

    void undo() override;
    // The first call, made by the stack when the step is pushed, finds it done already.
    void redo() override;
    int id() const override { return static_cast<int>(fMerge); }
    // Takes on the later step's result when it changed the same objects.
    bool mergeWith(const QUndoCommand* other) override;

    const TStepContent& Content() const { return fContent; }

private:
    TGraphHistory& fHistory;
    TStepContent fContent;
    TStepMerge fMerge;
    bool fFirstRedo = true;
};

// Makes the document's objects of the step look as one side of it says: objects
// without an image there leave, the others are read anew from their image, in the
// image's drawing order; they become the selection as the images record it.
void ApplyStepSide(TGraphDocument& document, const TStepContent& content, bool before);

} // namespace zov
