#include "DocumentFixture.h"

#include <algorithm>

namespace zov::test {

std::string IDOf(const TGraphObject* object) {
    return object != nullptr ? std::to_string(object->ID()) : "nil";
}

void TRecordingView::Note(const char* name, const TGraphObject* object) {
    fEvents.push_back(std::string(name) + " " + IDOf(object));
}

void TRecordingView::GraphChanged() {
    Note(fDocument.Modified() ? "GraphChange modified" : "GraphChange saved");
}

void TRecordingView::ObjectSelected(TGraphObject* object) {
    Note("Select " + IDOf(object) + (object->Selected() ? " +" : " -"));
}

void TRecordingView::ObjectHook(TGraphObject* object, TGraphLink*, int32_t index) {
    Note("Hook " + IDOf(object) + " " + std::to_string(index));
}

void TRecordingView::ObjectUnhook(TGraphObject* object, TGraphLink*, int32_t index) {
    Note("Unhook " + IDOf(object) + " " + std::to_string(index));
}

DocumentTest::DocumentTest() : graph(std::make_unique<TGraphDocument>()), view(*graph) {
    graph->AddView(&view);
}

// The document goes first: its objects leave with their events while the view stands.
DocumentTest::~DocumentTest() {
    graph.reset();
}

TGraphNode* DocumentTest::Node(const TRect& bounds, uint32_t id) {
    TGraphNode* node = graph->InsertNode(bounds);
    if (node != nullptr && id != 0) {
        node->RenumberID(node->ID(), id);
    }
    return node;
}

TGraphLink* DocumentTest::Link(TGraphObject* source, TGraphObject* target) {
    return graph->InsertLink(source, target);
}

std::vector<std::string> DocumentTest::TakeEvents() {
    std::vector<std::string> taken;
    taken.swap(view.fEvents);
    return taken;
}

int DocumentTest::GraphChanges() const {
    return static_cast<int>(
        std::count_if(view.fEvents.begin(), view.fEvents.end(),
                      [](const std::string& e) { return e.rfind("GraphChange", 0) == 0; }));
}

} // namespace zov::test
