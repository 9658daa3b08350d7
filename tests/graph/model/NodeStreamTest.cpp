#include "graph/model/NodeShapes.h"
#include "platform/types/Exceptions.h"
#include "support/Bytes.h"
#include "support/TestGraph.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;
using test::Short;
using test::TRecordingGraph;

const TGraphObjectClass* const kNodeClasses[] = {
    &TRectangularNode::Class(), &TRoundRectangularNode::Class(),
    &TEllipticNode::Class(),    &TTriangularNode::Class(),
    &TRhomboidalNode::Class(),  &TPentagonalNode::Class(),
    &THexagonalNode::Class(),   &TDataNode::Class(),
    &TTextNode::Class(),        &TParallelogramNode::Class()};

QByteArray Png() {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

QByteArray Save(TGraphObject* object) {
    TMemoryStream stream;
    object->SaveToStream(stream);
    return stream.Bytes();
}

void ExpectSameNode(const TGraphNode& a, const TGraphNode& b) {
    EXPECT_EQ(a.ID(), b.ID());
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(a.Hint(), b.Hint());
    EXPECT_TRUE(a.Brush().SameAs(b.Brush()));
    EXPECT_TRUE(a.Pen().SameAs(b.Pen()));
    EXPECT_TRUE(a.Font().SameAs(b.Font()));
    EXPECT_EQ(a.ParentFont(), b.ParentFont());
    EXPECT_EQ(a.Options(), b.Options());
    EXPECT_EQ(a.Visible(), b.Visible());
    EXPECT_EQ(a.Tag(), b.Tag());
    EXPECT_EQ(a.BoundsRect(), b.BoundsRect());
    EXPECT_EQ(a.Alignment(), b.Alignment());
    EXPECT_EQ(a.Layout(), b.Layout());
    EXPECT_EQ(a.Margin(), b.Margin());
    EXPECT_EQ(a.NodeOptions(), b.NodeOptions());
    EXPECT_EQ(a.BackgroundMargins(), b.BackgroundMargins());
    ASSERT_EQ(a.Background().IsEmpty(), b.Background().IsEmpty());
    if (!a.Background().IsEmpty()) {
        EXPECT_EQ(a.Background().Graphic()->ClassName(), b.Background().Graphic()->ClassName());
        EXPECT_EQ(a.Background().Graphic()->Bytes(), b.Background().Graphic()->Bytes());
    }
    EXPECT_EQ(a.TextRect(), b.TextRect());
}

TEST(NodeStreamTest, EveryNodeClassRoundTrips) {
    for (const TGraphObjectClass* cls : kNodeClasses) {
        SCOPED_TRACE(cls->Name.toStdString());
        TRecordingGraph graph;
        auto* node = TGraphNode::CreateNew(*cls, &graph, {40, 30, 200, 130});
        node->SetText(QStringLiteral("Caption \u00e4 \u4e2d"));
        node->SetHint(QStringLiteral("A hint"));
        node->Brush().SetColor(clYellow);
        node->Pen().SetWidth(2);
        node->Font().SetStyle({fsItalic});
        node->SetOptions({goSelectable});
        node->SetTag(-7);
        node->SetAlignment(taRightJustify);
        node->SetLayout(tlBottom);
        node->SetMargin(3);
        node->SetNodeOptions({gnoMovable});
        node->SetBackgroundMargins({1, 2, 3, 4});
        node->Background().SetGraphic(QStringLiteral("TPngImage"), Png());
        if (auto* text = dynamic_cast<TTextNode*>(node)) {
            const QByteArray rtf("{\\rtf1 Hello}");
            text->Payload().WriteBuffer(rtf.constData(), rtf.size());
        }
        const QByteArray bytes = Save(node);

        TRecordingGraph other;
        TMemoryStream stream(bytes);
        auto* copy = static_cast<TGraphNode*>(TGraphObject::CreateByReading(*cls, &other, stream));
        EXPECT_EQ(stream.Remaining(), 0);
        ExpectSameNode(*node, *copy);
        if (auto* text = dynamic_cast<TTextNode*>(copy)) {
            EXPECT_EQ(text->Payload().Bytes(), QByteArray("{\\rtf1 Hello}"));
        }
        EXPECT_EQ(Save(copy), bytes);
    }
}

TEST(NodeStreamTest, BackgroundMarginsAreFourIntegers) {
    TRecordingGraph graph;
    auto* node = TGraphNode::CreateNew(TRectangularNode::Class(), &graph, {100, 60, 220, 110});
    node->RenumberID(node->ID(), 1);
    node->SetBackgroundMargins({10, 10, 10, 10});
    EXPECT_EQ(Save(node), QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) +
                              Short("ID") + Bytes({2, 1}) + Short("G.Left") + Bytes({2, 0x64}) +
                              Short("G.Top") + Bytes({2, 0x3C}) + Short("G.Width") +
                              Bytes({2, 0x78}) + Short("G.Height") + Bytes({2, 0x32}) +
                              Short("G.BackgroundMargins") + Bytes({2, 10, 2, 10, 2, 10, 2, 10}) +
                              Bytes({0, 0}));
}

TEST(NodeStreamTest, StoredBoundsAreTakenAsTheyAre) {
    TRecordingGraph graph;
    auto* node = TGraphNode::CreateNew(TRectangularNode::Class(), &graph, {0, 0, 100, 50});
    node->RenumberID(node->ID(), 1);
    TMemoryStream stream(QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) +
                         Short("ID") + Bytes({2, 1}) + Short("G.Left") + Bytes({3, 0xDC, 0x05}) +
                         Short("G.Width") + Bytes({2, 5}) + Bytes({0, 0}));
    graph.fEvents.clear();
    node->LoadFromStream(stream);
    // Beyond the placement bounds and below the minimum size, as stored; no events.
    EXPECT_EQ(node->BoundsRect(), (TRect{1500, 0, 1505, 50}));
    EXPECT_EQ(std::count(graph.fEvents.begin(), graph.fEvents.end(), "NodeMoveResize"), 0);
    EXPECT_EQ(dynamic_cast<TPolygonalNode*>(node)->Vertices()[1], (TPoint{1505, 0}));
}

TEST(NodeStreamTest, NilEmptiesTheBackgroundButNotTheDrawingTools) {
    TRecordingGraph graph;
    auto* node = TGraphNode::CreateNew(TRectangularNode::Class(), &graph, {0, 0, 100, 50});
    node->Background().SetGraphic(QStringLiteral("TPngImage"), Png());
    const QByteArray head = QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) +
                            Short("ID") + Bytes({2, 1});
    TMemoryStream clear(head + Short("G.Background") + Bytes({13}) + Bytes({0, 0}));
    node->LoadFromStream(clear);
    EXPECT_TRUE(node->Background().IsEmpty());
    TMemoryStream brush(head + Short("G.Brush") + Bytes({13}) + Bytes({0, 0}));
    EXPECT_THROW(node->LoadFromStream(brush), EReadError);
}

TEST(NodeStreamTest, TextNodePayloads) {
    TRecordingGraph graph;
    auto* node =
        static_cast<TTextNode*>(TGraphNode::CreateNew(TTextNode::Class(), &graph, {0, 0, 100, 50}));
    const QByteArray body = Save(node);
    EXPECT_TRUE(body.endsWith(Bytes({0, 0, 0, 0, 0, 0}))); // ends, then an empty payload

    const struct {
        const char* name;
        QByteArray tail;
        bool ok;
        QByteArray payload;
    } cases[] = {
        {"empty", Bytes({0, 0, 0, 0}), true, {}},
        {"no length at all", {}, true, {}},
        {"three bytes", Bytes({3, 0, 0, 0}) + QByteArray("abc"), true, QByteArray("abc")},
        {"negative length", Bytes({0xFF, 0xFF, 0xFF, 0xFF}), false, {}},
        {"longer than the stream", Bytes({9, 0, 0, 0}) + QByteArray("abc"), false, {}},
    };
    const QByteArray properties = body.chopped(4);
    for (const auto& c : cases) {
        TMemoryStream stream(properties + c.tail);
        if (c.ok) {
            auto* read = static_cast<TTextNode*>(
                TGraphObject::CreateByReading(TTextNode::Class(), &graph, stream));
            EXPECT_EQ(read->Payload().Bytes(), c.payload) << c.name;
            EXPECT_EQ(read->Payload().Position(), 0) << c.name;
        } else {
            EXPECT_THROW(TGraphObject::CreateByReading(TTextNode::Class(), &graph, stream),
                         EReadError)
                << c.name;
        }
    }
}

TEST(NodeStreamTest, AssignCopiesNodeProperties) {
    TRecordingGraph graph;
    auto* source = TGraphNode::CreateNew(TEllipticNode::Class(), &graph, {10, 10, 110, 60});
    source->SetAlignment(taLeftJustify);
    source->SetMargin(2);
    source->SetBackgroundMargins({5, 5, 5, 5});
    source->Background().SetGraphic(QStringLiteral("TPngImage"), Png());
    auto* target = TGraphNode::CreateNew(TRectangularNode::Class(), &graph, {0, 0, 20, 20});
    target->Assign(*source);
    EXPECT_EQ(target->BoundsRect(), source->BoundsRect());
    EXPECT_EQ(target->Alignment(), taLeftJustify);
    EXPECT_EQ(target->Margin(), 2);
    EXPECT_EQ(target->BackgroundMargins(), (TRect{5, 5, 5, 5}));
    EXPECT_EQ(target->Background().Graphic(), source->Background().Graphic());
}

} // namespace
} // namespace zov
