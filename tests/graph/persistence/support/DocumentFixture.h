#pragma once

#include "graph/document/GraphDocument.h"
#include "graph/document/GraphView.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zov::test {

// A view of 800 x 600 graph units that only writes down what its document tells it, as
// text in order: "Insert 1", "Select 2 +", "GraphChange modified", "Hook 1 0", ...
class TRecordingView : public TGraphView {
public:
    explicit TRecordingView(TGraphDocument& document) : fDocument(document) {}

    TRect VisibleBounds() const override { return {0, 0, 800, 600}; }
    bool UseRightToLeftReading() const override { return false; }
    void InvalidateRect(const TRect&) override {}
    void Invalidate() override {}
    void UpdateScrollRanges() override {}
    void UpdateEnded(bool) override {}
    void SetScreenCursor(TCursor) override {}
    void ScrollInView(const TPoint&) override {}

    void GraphChanged() override;
    void CommandModeChanged() override { Note("CommandModeChange"); }
    void ObjectInitInstance(TGraphObject* object) override { Note("InitInstance", object); }
    void ObjectInserted(TGraphObject* object) override { Note("Insert", object); }
    void ObjectRemoved(TGraphObject* object) override { Note("Remove", object); }
    void ObjectChanged(TGraphObject* object) override { Note("Change", object); }
    void ObjectSelected(TGraphObject* object) override;
    void ObjectHook(TGraphObject* object, TGraphLink*, int32_t index) override;
    void ObjectUnhook(TGraphObject* object, TGraphLink*, int32_t index) override;

    std::vector<std::string> fEvents;

private:
    void Note(const std::string& text) { fEvents.push_back(text); }
    void Note(const char* name, const TGraphObject* object);

    TGraphDocument& fDocument;
};

// A graph document shown in a recording view.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest();
    ~DocumentTest() override;

    // A rectangle node; its ID is set when given.
    TGraphNode* Node(const TRect& bounds, uint32_t id = 0);
    TGraphLink* Link(TGraphObject* source, TGraphObject* target);
    // The recorded events since the last call, which clears them.
    std::vector<std::string> TakeEvents();
    int GraphChanges() const;

    std::unique_ptr<TGraphDocument> graph;
    TRecordingView view;
};

std::string IDOf(const TGraphObject* object);

} // namespace zov::test
