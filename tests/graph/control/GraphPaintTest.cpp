#include "graph/model/NodeShapes.h"
#include "platform/graphics/Canvas.h"
#include "platform/pictures/Metafile.h"
#include "support/ControlFixture.h"
#include "support/TestImages.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdlib>

namespace zov {
namespace {

using test::ControlTest;

// Collects the areas Qt repaints on the widget it watches.
class TPaintRecorder : public QObject {
public:
    explicit TPaintRecorder(QRegion& painted) : fPainted(painted) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            fPainted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

private:
    QRegion& fPainted;
};

class PaintTest : public ControlTest {
protected:
    PaintTest() {
        graph->OnObjectBeforeDraw = [this](TRaroviRovoz&, TGraphObject* object, TCanvas&) {
            drawn.push_back(object);
        };
    }
    // What the view shows, painted as a full repaint of its client area.
    QImage Grab() {
        QImage image(graph->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        graph->viewport()->render(&image);
        return image;
    }
    // Paints only the given client rectangle.
    QImage GrabArea(const QRect& area) {
        QImage image(graph->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        graph->viewport()->render(&image, area.topLeft(), QRegion(area));
        return image;
    }
    static TColor PixelAt(const QImage& image, int x, int y) {
        const QRgb rgb = image.pixel(x, y);
        return static_cast<TColor>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
    }

    std::vector<TGraphObject*> drawn;
};

TEST_F(PaintTest, GridDotsStartAtTheFirstGridLineInsideThePage) {
    ASSERT_EQ(graph->GraphConstraints().BoundsRect(), (TRect{28, 28, 1197, 855}));
    const QImage image = Grab();
    const TColor window = PixelAt(image, 100, 101);
    EXPECT_EQ(PixelAt(image, 32, 32), graph->GridColor());
    EXPECT_EQ(PixelAt(image, 40, 32), graph->GridColor());
    EXPECT_EQ(PixelAt(image, 32, 40), graph->GridColor());
    EXPECT_EQ(PixelAt(image, 33, 32), window);
    EXPECT_EQ(PixelAt(image, 36, 36), window);
    EXPECT_EQ(PixelAt(image, 24, 24), TColor{0xC0C0C0}); // ruler corner
    EXPECT_EQ(PixelAt(image, 28, 100), TColor{clBlack}); // page frame

    // A repaint of a small area draws exactly what the full repaint drew there,
    // rulers and their numbers included.
    const QRect area(30, 0, 90, 70);
    const QImage part = GrabArea(area);
    EXPECT_EQ(part.copy(area), image.copy(area));
    const QRect ruler(0, 150, 27, 60);
    EXPECT_EQ(GrabArea(ruler).copy(ruler), image.copy(ruler));
}

TEST_F(PaintTest, GridFollowsZoomAndCanBeHidden) {
    graph->SetZoom(200);
    const QImage zoomed = Grab();
    EXPECT_EQ(PixelAt(zoomed, 64, 64), graph->GridColor()); // still one pixel per dot
    EXPECT_NE(PixelAt(zoomed, 65, 64), graph->GridColor());
    graph->SetShowGrid(false);
    EXPECT_NE(PixelAt(Grab(), 64, 64), graph->GridColor());
}

TEST_F(PaintTest, DrawOrderPutsLinksOrNodesOnTop) {
    TGraphNode* a = Node({100, 100, 160, 140});
    TGraphNode* b = Node({300, 100, 360, 140});
    TGraphLink* link = Link(a, b);
    TGraphNode* c = Node({200, 300, 260, 340});
    struct Case {
        TGraphDrawOrder order;
        std::vector<TGraphObject*> expected;
    };
    for (const Case& t : {Case{doDefault, {a, b, link, c}}, Case{doNodesOnTop, {link, a, b, c}},
                          Case{doLinksOnTop, {a, b, c, link}}}) {
        graph->SetDrawOrder(t.order);
        drawn.clear();
        Grab();
        EXPECT_EQ(drawn, t.expected) << int(t.order);
    }
}

TEST_F(PaintTest, RepaintDrawsOnlyObjectsInTheUpdatedArea) {
    std::vector<TGraphNode*> nodes;
    for (int row = 0; row < 10; ++row) {
        for (int col = 0; col < 10; ++col) {
            nodes.push_back(Node(TRect::FromBounds(40 + col * 70, 40 + row * 50, 40, 30)));
        }
    }
    nodes[55]->SetZOrder(0); // reordering keeps the drawing order right
    drawn.clear();
    GrabArea(QRect(0, 0, 800, 600));
    ASSERT_EQ(drawn.size(), 100u);
    EXPECT_EQ(drawn.front(), nodes[55]);
    drawn.clear();
    GrabArea(QRect(110, 90, 80, 40)); // (110..190, 90..130): columns 1 and 2 of row 1
    EXPECT_EQ(drawn, (std::vector<TGraphObject*>{nodes[11], nodes[12]}));

    nodes[11]->SetBoundsRect(TRect::FromBounds(600, 500, 40, 30));
    drawn.clear();
    GrabArea(QRect(110, 90, 80, 40));
    EXPECT_EQ(drawn, (std::vector<TGraphObject*>{nodes[12]}));
}

TEST_F(PaintTest, HandlesHideWithoutFocusButTheSelectionStays) {
    TGraphNode* node = Node({100, 100, 200, 160});
    const QImage plain = Grab();
    node->SetSelected(true);
    const QImage selected = Grab();
    EXPECT_NE(selected, plain);
    graph->SetHideSelection(true);
    graph->clearFocus();
    EXPECT_EQ(Grab(), plain);
    EXPECT_TRUE(node->Selected());
}

TEST_F(PaintTest, ShowingHiddenHandlesRepaintsTheirWholeReach) {
    TGraphNode* node = Node({100, 100, 200, 160});
    node->SetSelected(true);
    graph->clearFocus();
    graph->SetHideSelection(true);
    QCoreApplication::processEvents();
    QRegion painted;
    TPaintRecorder recorder(painted);
    graph->viewport()->installEventFilter(&recorder);
    graph->SetHideSelection(false);
    QCoreApplication::processEvents();
    const TRect handles = node->SelectedVisualRect();
    const QRect reach(handles.Left, handles.Top, handles.Width(), handles.Height());
    EXPECT_TRUE((QRegion(reach) - painted).isEmpty());
}

TEST_F(PaintTest, UndoRepaintsTheAreaAnObjectLeaves) {
    TGraphNode* node = Node({100, 100, 200, 160});
    node->SetSelected(true);
    graph->History().Clear();
    graph->History().Record(QStringLiteral("Move"), [&] {
        graph->History().Capture(*node);
        node->OffsetBy(300, 200);
    });
    QCoreApplication::processEvents();
    QRegion painted;
    TPaintRecorder recorder(painted);
    graph->viewport()->installEventFilter(&recorder);
    const TRect moved = node->SelectedVisualRect();
    graph->History().Undo();
    QCoreApplication::processEvents();
    const QRect left(moved.Left, moved.Top, moved.Width(), moved.Height());
    EXPECT_TRUE((QRegion(left) - painted).isEmpty()) << "the moved node and its handles stay";
}

// Zoomed out, the screen sketches what is too small to see; the picture must look the
// same at a glance, stay exact at zoom 100, and never reach files.
class DetailTest : public PaintTest {
protected:
    // A diagram of captioned 80 x 40 boxes 120 x 70 apart, joined by arrows in a row, with
    // some ellipses, dashed, thick and hatched outlines, and bent links with other ends.
    DetailTest() {
        graph->OnObjectBeforeDraw = nullptr; // it would have every object drawn in full
        graph->resize(800 + graph->width() - graph->viewport()->width(),
                      600 + graph->height() - graph->viewport()->height());
        graph->SetShowGrid(false);
        graph->GraphConstraints().SetBoundsRect({0, 0, 10000, 10000});
        TGraphNode* previous = nullptr;
        for (int i = 0; i < 600; ++i) {
            const TRect bounds = TRect::FromBounds(40 + 120 * (i % 40), 40 + 70 * (i / 40), 80, 40);
            TGraphNode* box =
                i % 9 == 4 ? graph->InsertNode(bounds, &TEllipticNode::Class()) : Node(bounds);
            box->SetText(QStringLiteral("Box %1").arg(i));
            box->Brush().SetColor(i % 3 == 0 ? clCream : clSkyBlue);
            if (i % 7 == 3) {
                box->Pen().SetStyle(psDash);
            }
            if (i % 11 == 5) {
                box->Brush().SetStyle(bsCross);
            }
            if (i % 13 == 2) {
                box->Pen().SetWidth(30);
            }
            if (previous != nullptr && i % 40 != 0) {
                TGraphLink* link = Link(previous, box);
                if (i % 5 == 0) {
                    const TPoint from = link->Polyline().front();
                    link->InsertPoint(1, {from.X + 20, from.Y - 30});
                    link->SetBeginStyle(lsCircle);
                    link->SetEndStyle(lsDiamond);
                }
            }
            previous = box;
        }
    }
    // The view at a zoom, on a screen of this many pixels per pixel of the view.
    QImage GrabAt(int32_t zoom, bool simplified, int ratio = 1) {
        graph->SetZoom(zoom);
        graph->SetSimplifiedPainting(simplified);
        QImage image(graph->viewport()->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::magenta);
        graph->viewport()->render(&image);
        return image;
    }
    // The part of the view the diagram covers: the blank rest would hide differences.
    QImage DiagramIn(const QImage& view) {
        const TRect bounds = graph->GraphBounds();
        const TPoint topLeft = graph->GraphToClient(bounds.Left, bounds.Top);
        const TPoint bottomRight = graph->GraphToClient(bounds.Right, bounds.Bottom);
        const auto ratio = static_cast<int>(view.devicePixelRatio());
        const QRect area(QPoint(topLeft.X, topLeft.Y) * ratio,
                         QPoint(bottomRight.X, bottomRight.Y) * ratio);
        return view.copy(area.intersected(view.rect()));
    }
    // The share of pixels whose colours differ visibly (by more than a quarter of the
    // range in a channel); antialiased edges that differ a little do not count.
    static double DifferingPixels(const QImage& a, const QImage& b) {
        return DifferingShare(a, b, 1, 64);
    }
    // The share of 4 x 4 pixel blocks whose mean colours differ by more than an eighth of
    // the range in a channel: what a glance at the screen tells apart.
    static double DifferingBlocks(const QImage& a, const QImage& b) {
        return DifferingShare(a, b, 4, 32);
    }
    static double DifferingShare(const QImage& a, const QImage& b, int block, int visible) {
        const QSize blocks = a.size() / block;
        int64_t differing = 0;
        for (int by = 0; by < blocks.height(); ++by) {
            for (int bx = 0; bx < blocks.width(); ++bx) {
                std::array<int, 3> difference{};
                for (int y = by * block; y < (by + 1) * block; ++y) {
                    for (int x = bx * block; x < (bx + 1) * block; ++x) {
                        const QRgb p = a.pixel(x, y);
                        const QRgb q = b.pixel(x, y);
                        difference[0] += qRed(p) - qRed(q);
                        difference[1] += qGreen(p) - qGreen(q);
                        difference[2] += qBlue(p) - qBlue(q);
                    }
                }
                differing += std::ranges::any_of(
                    difference, [&](int d) { return std::abs(d) > visible * block * block; });
            }
        }
        return static_cast<double>(differing) /
               (static_cast<double>(blocks.width()) * blocks.height());
    }
};

TEST_F(DetailTest, AtFullSizeTheScreenIsExact) {
    EXPECT_EQ(GrabAt(100, true), GrabAt(100, false));
}

TEST_F(DetailTest, ZoomedOutTheSketchLooksLikeTheExactPicture) {
    for (const int32_t zoom : {25, 10, 5}) {
        SCOPED_TRACE(zoom);
        const QImage exact = DiagramIn(GrabAt(zoom, false));
        const QImage sketched = DiagramIn(GrabAt(zoom, true));
        test::SaveTestImage(exact, QStringLiteral("detail-exact-%1").arg(zoom));
        test::SaveTestImage(sketched, QStringLiteral("detail-sketched-%1").arg(zoom));
        // Measured at 25, 10 and 5: 0.3%, 2.5% and 5.6% of the pixels, 0.3%, 2.3% and
        // none of the blocks, around thick, dashed and bent outlines.
        EXPECT_LT(DifferingPixels(exact, sketched), 0.08);
        EXPECT_LT(DifferingBlocks(exact, sketched), 0.04);
    }
}

// A screen of two pixels per pixel of the view gets a sketch as fine as its pixels.
TEST_F(DetailTest, OnDenseScreensTheSketchIsAsFineAsThePixels) {
    for (const int32_t zoom : {10, 5}) {
        SCOPED_TRACE(zoom);
        const QImage exact = DiagramIn(GrabAt(zoom, false, 2));
        const QImage sketched = DiagramIn(GrabAt(zoom, true, 2));
        EXPECT_LT(DifferingPixels(exact, sketched), 0.08);
        EXPECT_LT(DifferingBlocks(exact, sketched), 0.04);
    }
}

TEST_F(DetailTest, ObjectDrawHandlersSeeEveryObjectZoomedOut) {
    graph->SetZoom(5);
    Grab();
    EXPECT_TRUE(drawn.empty());
    graph->OnObjectBeforeDraw = [this](TRaroviRovoz&, TGraphObject* object, TCanvas&) {
        drawn.push_back(object);
    };
    Grab();
    EXPECT_EQ(drawn.size(), static_cast<size_t>(graph->Objects().Count()));
}

TEST_F(DetailTest, FilesAreExactAtEveryZoom) {
    QTemporaryDir folder;
    const auto exportAt = [&](int32_t zoom, const char* name) {
        graph->SetZoom(zoom);
        const QString png = folder.filePath(QLatin1String(name) + QStringLiteral(".png"));
        const QString svg = folder.filePath(QLatin1String(name) + QStringLiteral(".svg"));
        graph->SaveAsImage(png, "png");
        graph->SaveAsSvg(svg);
        QFile pngFile(png);
        QFile svgFile(svg);
        EXPECT_TRUE(pngFile.open(QIODevice::ReadOnly) && svgFile.open(QIODevice::ReadOnly));
        return pngFile.readAll() + svgFile.readAll();
    };
    const QByteArray atFullSize = exportAt(100, "full");
    EXPECT_EQ(exportAt(5, "zoomed-out"), atFullSize);
    TMetafile metafile = graph->GetMetafile();
    graph->SetZoom(100);
    EXPECT_EQ(graph->GetMetafile().Bytes(), metafile.Bytes());
}

TEST_F(PaintTest, RulerNumbersUseTheControlsFontFace) {
    const QRect ruler(28, 0, 400, 26);
    const QImage arial = Grab().copy(ruler);
    graph->Font().SetName(QStringLiteral("Courier New"));
    const QImage courier = Grab().copy(ruler);
    EXPECT_NE(courier, arial);
    graph->Font().SetName(QStringLiteral("Arial"));
    EXPECT_EQ(Grab().copy(ruler), arial);
}

TEST_F(PaintTest, DrawPaintsObjectsOnlyInTheCanvasCoordinates) {
    Node({100, 100, 200, 160});
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    graph->Draw(canvas);
    EXPECT_EQ(PixelAt(image, 100, 130), TColor{clBlack}); // the node's left edge
    EXPECT_EQ(PixelAt(image, 32, 32), TColor{clWhite});   // no grid, no rulers
}

} // namespace
} // namespace zov
