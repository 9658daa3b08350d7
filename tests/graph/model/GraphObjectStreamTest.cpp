#include "platform/stream/Filer.h"
#include "platform/types/Exceptions.h"
#include "support/Bytes.h"
#include "support/TestGraph.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using test::TNarrowNode;
using test::TRecordingGraph;
using test::TTestLink;
using test::TTestNode;

using test::Bytes;
using test::Short;

// The body of an object with ID 1 whose records after "ID" are given.
QByteArray Body(const QByteArray& records) {
    return QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) + Short("ID") +
           Bytes({2, 1}) + records + Bytes({0, 0});
}

// The bounds records of the node the tests use, at (100, 60) sized 120 x 50.
QByteArray Bounds() {
    return Short("G.Left") + Bytes({2, 0x64}) + Short("G.Top") + Bytes({2, 0x3C}) +
           Short("G.Width") + Bytes({2, 0x78}) + Short("G.Height") + Bytes({2, 0x32});
}

class GraphObjectStreamTest : public ::testing::Test {
protected:
    TTestNode* NewNode() {
        TTestNode* node = graph.Add<TTestNode>({100, 60, 220, 110});
        node->RenumberID(node->ID(), 1);
        return node;
    }
    QByteArray Save(TGraphObject* object) {
        TMemoryStream stream;
        object->SaveToStream(stream);
        return stream.Bytes();
    }
    template <class T> T* Load(const QByteArray& bytes) {
        TMemoryStream stream(bytes);
        return static_cast<T*>(TGraphObject::CreateByReading(T::Class(), &graph, stream));
    }

    TRecordingGraph graph;
};

TEST_F(GraphObjectStreamTest, ADefaultNodeWritesItsIdCaptionAndBounds) {
    TTestNode* node = NewNode();
    node->SetText(QStringLiteral("Start"));
    EXPECT_EQ(Save(node), Body(Short("G.Text") + Bytes({6}) + Short("Start") + Bounds()));
}

TEST_F(GraphObjectStreamTest, ValuesTakeTheirDocumentedForms) {
    const struct {
        const char* name;
        std::function<void(TTestNode*)> change;
        QByteArray records; // between the caption-less ID record and the bounds
    } cases[] = {
        {"named brush colour", [](TTestNode* n) { n->Brush().SetColor(clRed); },
         Short("G.Brush.Color") + Bytes({7}) + Short("clRed")},
        {"unnamed brush colour", [](TTestNode* n) { n->Brush().SetColor(0x123456); },
         Short("G.Brush.Color") + Bytes({4, 0x56, 0x34, 0x12, 0})},
        {"umlaut caption", [](TTestNode* n) { n->SetText(QStringLiteral("Gr\u00fc\u00dfe")); },
         Short("G.Text") + Bytes({20, 7, 0, 0, 0}) +
             QByteArray("Gr\xC3\xBC\xC3\x9F"
                        "e")},
        {"CJK caption", [](TTestNode* n) { n->SetText(QStringLiteral("\u6d41\u7a0b")); },
         Short("G.Text") + Bytes({18, 2, 0, 0, 0, 0x41, 0x6D, 0x0B, 0x7A})},
        {"only selectable", [](TTestNode* n) { n->SetOptions({goSelectable}); },
         Short("G.Options") + Bytes({11}) + Short("goSelectable") + Bytes({0})},
        {"no options", [](TTestNode* n) { n->SetOptions({}); },
         Short("G.Options") + Bytes({11, 0})},
        {"tag 127", [](TTestNode* n) { n->SetTag(127); }, Short("G.Tag") + Bytes({2, 0x7F})},
        {"tag 128", [](TTestNode* n) { n->SetTag(128); }, Short("G.Tag") + Bytes({3, 0x80, 0})},
        {"tag 32768", [](TTestNode* n) { n->SetTag(32768); },
         Short("G.Tag") + Bytes({4, 0, 0x80, 0, 0})},
        {"hidden", [](TTestNode* n) { n->SetVisible(false); }, Short("G.Visible") + Bytes({8})},
        {"pen",
         [](TTestNode* n) {
             n->Pen().SetStyle(psDot);
             n->Pen().SetWidth(2);
         },
         Short("G.Pen.Style") + Bytes({7}) + Short("psDot") + Short("G.Pen.Width") + Bytes({2, 2})},
        {"own font",
         [](TTestNode* n) {
             TFont font;
             font.SetName(QStringLiteral("Arial"));
             font.SetHeight(-13);
             font.SetColor(clNavy);
             font.SetStyle({fsBold});
             n->SetFont(font);
         },
         Short("G.Font.Charset") + Bytes({7}) + Short("DEFAULT_CHARSET") + Short("G.Font.Color") +
             Bytes({7}) + Short("clNavy") + Short("G.Font.Height") + Bytes({2, 0xF3}) +
             Short("G.Font.Name") + Bytes({6}) + Short("Arial") + Short("G.Font.Style") +
             Bytes({11}) + Short("fsBold") + Bytes({0}) + Short("G.ParentFont") + Bytes({8})},
    };
    for (const auto& c : cases) {
        TTestNode* node = NewNode();
        c.change(node);
        const QByteArray bytes = Save(node);
        EXPECT_EQ(bytes, Body(c.records + Bounds())) << c.name;

        // Every value written reads back equal.
        TTestNode* copy = Load<TTestNode>(bytes);
        EXPECT_EQ(copy->Text(), node->Text()) << c.name;
        EXPECT_TRUE(copy->Brush().SameAs(node->Brush())) << c.name;
        EXPECT_TRUE(copy->Pen().SameAs(node->Pen())) << c.name;
        EXPECT_EQ(copy->ParentFont(), node->ParentFont()) << c.name;
        if (!node->ParentFont()) {
            EXPECT_TRUE(copy->Font().SameAs(node->Font())) << c.name;
        }
        EXPECT_EQ(copy->Options(), node->Options()) << c.name;
        EXPECT_EQ(copy->Tag(), node->Tag()) << c.name;
        EXPECT_EQ(copy->Visible(), node->Visible()) << c.name;
        EXPECT_EQ(copy->BoundsRect(), node->BoundsRect()) << c.name;
        node->Free();
        copy->Free();
    }
}

TEST_F(GraphObjectStreamTest, DefaultOptionsAreLeftOutAndReadBackAsTheConstructorSetThem) {
    TNarrowNode* narrow = graph.Add<TNarrowNode>({100, 60, 220, 110});
    narrow->RenumberID(narrow->ID(), 1);
    narrow->SetOptions(DefaultGraphObjectOptions);
    const QByteArray bytes = Save(narrow);
    EXPECT_EQ(bytes, Body(Bounds()));
    EXPECT_EQ(Load<TNarrowNode>(bytes)->Options(),
              (TGraphObjectOptions{goSelectable, goShowCaption}));
}

TEST_F(GraphObjectStreamTest, CustomDataTravelsThroughTheGraphsEvents) {
    TTestNode* node = NewNode();
    node->SetHasCustomData(true);
    graph.fCustomData[node] = QByteArray("app");
    const QByteArray bytes = Save(node);
    EXPECT_EQ(bytes, Body(Short("G.HasCustomData") + Bytes({9}) + Bounds() + Short("G.CustomData") +
                          Bytes({10, 7, 0, 0, 0, 3, 0, 0, 0}) + QByteArray("app")));
    TTestNode* copy = Load<TTestNode>(bytes);
    EXPECT_TRUE(copy->HasCustomData());
    EXPECT_EQ(graph.fCustomDataRead[copy], QByteArray("app"));

    // Nothing written by the application: a zero length and no event on reading.
    graph.fCustomData.clear();
    const QByteArray empty = Save(node);
    EXPECT_TRUE(empty.contains(Bytes({10, 4, 0, 0, 0, 0, 0, 0, 0})));
    graph.fCustomDataRead.clear();
    Load<TTestNode>(empty);
    EXPECT_TRUE(graph.fCustomDataRead.empty());
}

TEST_F(GraphObjectStreamTest, ReadingKeepsTheIdAndChangesNothingUntilTheEnd) {
    TTestNode* node = NewNode();
    node->RenumberID(1, 77);
    node->SetText(QStringLiteral("Loaded"));
    TTestNode* copy = Load<TTestNode>(Save(node));
    EXPECT_EQ(copy->ID(), 77u);
    EXPECT_FALSE(copy->States().Contains(osReading));
    EXPECT_FALSE(copy->States().Contains(osUpdating));
    EXPECT_TRUE(copy->States().Contains(osLoading)); // until the graph calls Loaded
    copy->Loaded();
    EXPECT_FALSE(copy->States().Contains(osLoading));
    EXPECT_EQ(copy->VisualRect(), node->VisualRect());
}

TEST_F(GraphObjectStreamTest, CarrierPositionRecordsAreReadWithoutEffect) {
    TTestLink* link =
        Load<TTestLink>(Body(Short("Left") + Bytes({2, 5}) + Short("Top") + Bytes({2, 6}) +
                             Short("G.Text") + Bytes({6}) + Short("L")));
    EXPECT_EQ(link->Text(), QStringLiteral("L"));
}

TEST_F(GraphObjectStreamTest, ABadBodyFailsAndLeavesNoObjectBehind) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"a link has no Left",
         Body(Short("G.Left") + Bytes({2, 10}) + Short("G.Top") + Bytes({2, 10}))},
        {"unknown option", Body(Short("G.Options") + Bytes({11}) + Short("goFlying") + Bytes({0}))},
        {"truncated", Body(Short("G.Text") + Bytes({6}) + Short("Start")).left(40)},
        {"not a component stream", QByteArray("PK\x03\x04 not a graph object")},
    };
    for (const auto& c : cases) {
        const int32_t before = graph.Objects().Count();
        TMemoryStream stream(c.bytes);
        EXPECT_THROW(TGraphObject::CreateByReading(TTestLink::Class(), &graph, stream), EReadError)
            << c.name;
        EXPECT_EQ(graph.Objects().Count(), before) << c.name;
    }
}

TEST_F(GraphObjectStreamTest, AFailedReadIntoALiveObjectClosesItsBrackets) {
    TTestNode* node = NewNode();
    TMemoryStream stream(
        Body(Short("G.Text") + Bytes({6}) + Short("New") + Short("G.Bogus") + Bytes({2, 1})));
    EXPECT_THROW(node->LoadFromStream(stream), EReadError);
    EXPECT_FALSE(node->States().Contains(osReading));
    EXPECT_FALSE(node->States().Contains(osUpdating));
    EXPECT_EQ(node->Text(), QStringLiteral("New")); // what came before the failure stays
}

} // namespace
} // namespace zov
