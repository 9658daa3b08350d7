#include "graph/model/NodeShapes.h"
#include "platform/graphics/Canvas.h"
#include "support/TestGraph.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <gtest/gtest.h>

namespace zov {
namespace {

using test::TRecordingGraph;

QByteArray GradientPng() {
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 64, 48);
    g.setColorAt(0, QColor(255, 200, 0));
    g.setColorAt(1, QColor(0, 120, 255));
    p.fillRect(image.rect(), g);
    p.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// All ten shapes with captions, one with a PNG background, drawn through the canvas.
TEST(NodePictureTest, DrawsAllShapes) {
    TRecordingGraph graph;
    const struct {
        const TGraphObjectClass* cls;
        const char* caption;
        TColor fill;
    } shapes[] = {
        {&TRectangularNode::Class(), "Rectangle", clWhite},
        {&TRoundRectangularNode::Class(), "Round rectangle", clCream},
        {&TEllipticNode::Class(), "Ellipse", clSkyBlue},
        {&TTriangularNode::Class(), "Triangle", clMoneyGreen},
        {&TRhomboidalNode::Class(), "Decision?", clYellow},
        {&TPentagonalNode::Class(), "Pentagon", clAqua},
        {&THexagonalNode::Class(), "Hexagon with a longer caption", clSilver},
        {&TDataNode::Class(), "Data", clWhite},
        {&TTextNode::Class(), "Text", clWhite},
        {&TParallelogramNode::Class(), "Parallelogram", clFuchsia},
    };
    TBitmapCanvas bitmap(700, 300);
    int i = 0;
    std::vector<TGraphNode*> nodes;
    for (const auto& s : shapes) {
        const int32_t x = 20 + (i % 5) * 135;
        const int32_t y = 20 + (i / 5) * 140;
        auto* node = TGraphNode::CreateNew(*s.cls, &graph, {x, y, x + 120, y + 100});
        node->SetText(QString::fromUtf8(s.caption));
        node->Brush().SetColor(s.fill);
        node->Pen().SetWidth(2);
        nodes.push_back(node);
        ++i;
    }
    nodes[0]->Background().SetGraphic(QStringLiteral("TPngImage"), GradientPng());
    nodes[0]->SetBackgroundMargins({10, 10, 10, 10});
    nodes[8]->Background().SetGraphic(QStringLiteral("TPngImage"), GradientPng());
    nodes[2]->SetSelected(true);

    for (TGraphNode* node : nodes) {
        node->Draw(bitmap.Canvas());
    }
    for (TGraphNode* node : nodes) {
        node->DrawMarks(bitmap.Canvas());
    }
    test::SaveTestImage(bitmap.Image(), QStringLiteral("node-shapes"));

    const QImage& image = bitmap.Image();
    // The picture fills the first node's inset rectangle; the triangle's corner is empty.
    const TRect inset = nodes[0]->BackgroundRect();
    EXPECT_NE(image.pixel(inset.Left + 5, inset.Top + 5) & 0xFFFFFF, 0xFFFFFFu);
    const TRect triangle = nodes[3]->BoundsRect();
    EXPECT_EQ(image.pixel(triangle.Left + 3, triangle.Top + 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(triangle.Left + 60, triangle.Top + 60) & 0xFFFFFF, 0xC0DCC0u);
}

} // namespace
} // namespace zov
