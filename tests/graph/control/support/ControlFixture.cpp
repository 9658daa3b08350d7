#include "ControlFixture.h"

#include <algorithm>

namespace zov::test {

std::string IDOf(const TGraphObject* object) {
    return object != nullptr ? std::to_string(object->ID()) : "nil";
}

ControlTest::ControlTest() : graph(std::make_unique<TRaroviRovoz>()) {
    // Shown, though never on a screen, so that size changes reach the view's layout
    // as they do in a window.
    graph->setAttribute(Qt::WA_DontShowOnScreen);
    graph->resize(800, 600);
    graph->show();
    TRaroviRovoz& g = *graph;
    auto note = [this](const char* name) {
        return [this, name](TRaroviRovoz&, TGraphObject* object) {
            events.push_back(std::string(name) + " " + IDOf(object));
        };
    };
    g.OnObjectInitInstance = note("InitInstance");
    g.OnObjectInsert = note("Insert");
    g.OnObjectRemove = note("Remove");
    g.OnObjectChange = note("Change");
    g.OnObjectMouseLeave = note("MouseLeave");
    g.OnObjectSelect = [this](TRaroviRovoz&, TGraphObject* object) {
        events.push_back("Select " + IDOf(object) + (object->Selected() ? " +" : " -"));
    };
    g.OnObjectHook = [this](TRaroviRovoz&, TGraphObject* object, TGraphLink*, int32_t index) {
        events.push_back("Hook " + IDOf(object) + " " + std::to_string(index));
    };
    g.OnObjectUnhook = [this](TRaroviRovoz&, TGraphObject* object, TGraphLink*, int32_t index) {
        events.push_back("Unhook " + IDOf(object) + " " + std::to_string(index));
    };
    g.OnObjectBeginDrag = [this](TRaroviRovoz&, TGraphObject* object, uint32_t) {
        events.push_back("BeginDrag " + IDOf(object));
    };
    g.OnObjectEndDrag = [this](TRaroviRovoz&, TGraphObject* object, uint32_t, bool cancelled) {
        events.push_back("EndDrag " + IDOf(object) + (cancelled ? " cancelled" : ""));
    };
    g.OnGraphChange = [this](TRaroviRovoz& sender) {
        events.push_back(sender.Modified() ? "GraphChange modified" : "GraphChange saved");
    };
    g.OnCommandModeChange = [this](TRaroviRovoz&) {
        events.push_back("CommandModeChange");
    };
}

TGraphNode* ControlTest::Node(const TRect& bounds, uint32_t id) {
    TGraphNode* node = graph->InsertNode(bounds);
    if (node != nullptr && id != 0) {
        node->RenumberID(node->ID(), id);
    }
    return node;
}

TGraphLink* ControlTest::Link(TGraphObject* source, TGraphObject* target) {
    return graph->InsertLink(source, target);
}

std::vector<std::string> ControlTest::TakeEvents() {
    std::vector<std::string> taken;
    taken.swap(events);
    return taken;
}

int ControlTest::GraphChanges() const {
    return static_cast<int>(std::count_if(events.begin(), events.end(), [](const std::string& e) {
        return e.rfind("GraphChange", 0) == 0;
    }));
}

} // namespace zov::test
