#pragma once

#include "GraphStep.h"
#include "graph/document/GraphChangeRecorder.h"

#include <QString>
#include <QUndoStack>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zov {

class TGraphDocument;
class TGraphObject;
class TGraphObjectList;

// The undo history of one document. A step is everything that changed between the
// outermost BeginStep and its EndStep; it keeps, by ID, the state of each object it
// touched before and after, so its memory and the time to undo it grow with what it
// touched, not with the graph. Before changing objects, the code that opens a step
// captures them; a change of any other object (except one the step added) cannot be
// undone exactly, so the history is then dropped rather than lie. A change outside
// every step does the same. The stack's clean state is the graph's unmodified state.
class TGraphHistory : private TGraphChangeRecorder {
public:
    static constexpr int kUndoLimit = 1000;

    explicit TGraphHistory(TGraphDocument& document);
    ~TGraphHistory();
    TGraphHistory(const TGraphHistory&) = delete;
    TGraphHistory& operator=(const TGraphHistory&) = delete;

    QUndoStack& Stack() { return fStack; }
    const QUndoStack& Stack() const { return fStack; }

    // ---- Recording ----
    // Inner brackets join the open step; merge lets a run of like steps become one.
    void BeginStep(const QString& name, TStepMerge merge = TStepMerge::None);
    void EndStep();
    // Names the open step once it is known what it does.
    void SetStepName(const QString& name) { fName = name; }
    bool Recording() const { return fDepth > 0; }
    // Keeps the state of the object and of the links hooked to it (and to those)
    // before the open step changes them; nothing without an open step.
    void Capture(TGraphObject& object);
    void Capture(TGraphObjectList& list);
    void CapturePageInfo();
    // Runs work as one step, closing it also when work fails.
    template <class F>
    void Record(const QString& name, F&& work, TStepMerge merge = TStepMerge::None) {
        BeginStep(name, merge);
        try {
            work();
        } catch (...) {
            EndStep();
            throw;
        }
        EndStep();
    }

    // ---- Moving through the history ----
    // Not while a step is open or a drag runs.
    bool CanUndo() const;
    bool CanRedo() const;
    // Throws what putting the graph back threw; the history is then dropped.
    void Undo();
    void Redo();
    // A new or freshly loaded graph: no history, and the graph counts as saved.
    void Clear();
    // The graph was saved as it is now.
    void SetClean() { fStack.setClean(); }

    // A step's side put into the document, with recording off.
    void ApplyStep(const TStepContent& content, bool before);
    // While undo or redo puts objects back.
    bool Applying() const { return fApplying; }

private:
    void ObjectDataChanged(TGraphObject* object) override;
    void ObjectListChanged(TGraphObject* object, TGraphObjectListAction action) override;
    void ObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) override;
    void PageInfoChanged() override;

    // Keeps the objects of work and the links hooked to them; empties work.
    void CaptureAll(std::vector<TGraphObject*>& work);
    bool Known(TGraphObject* object) const;
    // A change no step can undo: the history goes, and the graph stays modified.
    void DropHistory();
    void ResetStep();
    TStepContent TakeContent();
    void Move(bool undo);

    TGraphDocument& fDocument;
    QUndoStack fStack;
    int fDepth = 0;
    QString fName;
    TStepMerge fMerge = TStepMerge::None;
    std::unordered_map<uint32_t, TObjectImage> fCaptured;
    std::unordered_set<TGraphObject*> fAdded;
    std::unordered_set<uint32_t> fReordered;
    std::optional<TGraphFileInfo> fPageBefore;
    bool fOrderChanged = false;
    bool fLost = false;
    bool fApplying = false;
    std::optional<QString> fApplyError;
};

} // namespace zov
