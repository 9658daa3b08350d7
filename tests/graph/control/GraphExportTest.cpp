#include "platform/graphics/Canvas.h"
#include "platform/pictures/Metafile.h"
#include "platform/pictures/Picture.h"
#include "platform/types/Exceptions.h"
#include "support/ControlFixture.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace zov {
namespace {

using test::ControlTest;

class ExportTest : public ControlTest {
protected:
    ExportTest() { QApplication::clipboard()->clear(); }

    static QStringList Formats() {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return data != nullptr ? data->formats() : QStringList{};
    }
};

TEST_F(ExportTest, MetafileAndBitmapCoverTheObjectsFromTheirTopLeftCorner) {
    Node({40, 50, 100, 90});
    Node({90, 60, 140, 80});
    ASSERT_EQ(graph->GraphBounds(), (TRect{40, 50, 140, 90}));

    const TMetafile metafile = graph->GetMetafile();
    EXPECT_EQ(metafile.Size(), (TSize{101, 41}));
    const QImage bitmap = graph->RenderBitmap(graph->Objects());
    EXPECT_EQ(bitmap.size(), QSize(101, 41));
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB888);
    EXPECT_EQ(bitmap.pixel(0, 20), qRgb(0, 0, 0));         // the first node's left edge
    EXPECT_EQ(bitmap.pixel(100, 40), qRgb(255, 255, 255)); // nothing but white around

    // The metafile played back at its size shows the same picture.
    QImage played(bitmap.size(), QImage::Format_RGB32);
    played.fill(Qt::white);
    {
        QPainter painter(&played);
        metafile.Play(painter, QRectF(0, 0, 101, 41));
    }
    EXPECT_EQ(played.pixel(0, 20), qRgb(0, 0, 0));
    EXPECT_EQ(played.pixel(20, 20), bitmap.pixel(20, 20));
    EXPECT_EQ(played.pixel(99, 20), bitmap.pixel(99, 20));

    TPicture picture;
    graph->CopyToGraphic(picture, true);
    EXPECT_EQ(picture.Graphic()->ClassName(), QStringLiteral("TMetafile"));
    graph->CopyToGraphic(picture, false);
    EXPECT_EQ(picture.Graphic()->ClassName(), QStringLiteral("TBitmap"));
    EXPECT_EQ(picture.Graphic()->Size(), (TSize{101, 41}));
}

// Every shape, hatch, caption, link end and a clipped background picture: the
// metafile played back must look like the bitmap of the same objects.
TEST_F(ExportTest, MetafileOfEveryKindOfObjectPlaysBackLikeTheBitmap) {
    const TBrushStyle hatches[] = {bsSolid,     bsHorizontal, bsVertical, bsFDiagonal,
                                   bsBDiagonal, bsCross,      bsDiagCross};
    std::vector<TGraphNode*> nodes;
    for (int32_t i = 0; i < TRaroviRovoz::NodeClassCount(); ++i) {
        const int32_t x = 40 + (i % 4) * 170;
        const int32_t y = 40 + (i / 4) * 120;
        TGraphNode* node =
            graph->InsertNode({x, y, x + 120, y + 70}, &TRaroviRovoz::NodeClasses(i));
        node->SetText(QStringLiteral("Node %1").arg(i));
        node->Brush().SetStyle(hatches[i % 7]);
        node->Brush().SetColor(static_cast<TColor>(0x30A0F0 - i * 0x101010));
        nodes.push_back(node);
    }
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    nodes[2]->Background().SetGraphic(QStringLiteral("TPngImage"), png); // the ellipse
    Link(nodes[0], nodes[1])->SetText(QStringLiteral("caption"));
    TGraphLink* ends = Link(nodes[1], nodes[5]);
    ends->SetBeginStyle(lsCircle);
    ends->SetEndStyle(lsDiamond);

    const QImage bitmap =
        graph->RenderBitmap(graph->Objects()).convertToFormat(QImage::Format_RGB32);
    const TMetafile metafile = graph->GetMetafile();
    ASSERT_EQ(metafile.Size(), (TSize{bitmap.width(), bitmap.height()}));
    QImage played(bitmap.size(), QImage::Format_RGB32);
    played.fill(Qt::white);
    {
        QPainter painter(&played);
        metafile.Play(painter, QRectF(QPointF(0, 0), QSizeF(bitmap.size())));
    }
    int differing = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb a = bitmap.pixel(x, y);
            const QRgb b = played.pixel(x, y);
            differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))}) > 96;
        }
    }
    EXPECT_LT(differing, bitmap.width() * bitmap.height() / 100) << differing;
    // The picture stays inside the ellipse: its corner would be yellow otherwise.
    const TRect ellipse = nodes[2]->BoundsRect();
    const TRect all = graph->GraphBounds();
    EXPECT_NE(played.pixel(ellipse.Left - all.Left + 4, ellipse.Top - all.Top + 4),
              qRgb(255, 255, 0));
}

TEST_F(ExportTest, CopyPlacesTheChosenFormatsInOrder) {
    QApplication::clipboard()->setText(QStringLiteral("keep"));
    TGraphNode* node = Node({100, 100, 200, 150});
    graph->SetClipboardFormats({cfNative, cfMetafile, cfBitmap});
    graph->CopyToClipboard(true); // nothing selected: the clipboard is left alone
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("keep"));

    node->SetSelected(true);
    graph->CopyToClipboard(true);
    const QStringList formats = Formats();
    ASSERT_GE(formats.size(), 4);
    EXPECT_EQ(formats.mid(0, 3),
              (QStringList{QStringLiteral("application/x-rarovi-rovoz"),
                           QStringLiteral("image/emf"), QStringLiteral("image/x-emf")}));
    EXPECT_EQ(formats[3], QStringLiteral("application/x-qt-image"));

    // The native data is the object list of the graph file, byte for byte.
    TMemoryStream expected;
    graph->WriteObjectList(expected, graph->SelectedObjects());
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(formats[0]), expected.Bytes());

    graph->SetClipboardFormats({cfBitmap});
    graph->CopyToClipboard(false);
    EXPECT_EQ(Formats(), QStringList{QStringLiteral("application/x-qt-image")});
}

TEST_F(ExportTest, PastedObjectsKeepTheirPlacesAndGetNewIDs) {
    TGraphNode* a = Node({100, 100, 160, 140});
    TGraphNode* b = Node({300, 100, 360, 140});
    TGraphLink* link = Link(a, b);
    for (TGraphObject* object : {static_cast<TGraphObject*>(a), static_cast<TGraphObject*>(b),
                                 static_cast<TGraphObject*>(link)}) {
        object->SetSelected(true);
    }
    graph->CopyToClipboard(true);
    TakeEvents();
    ASSERT_TRUE(graph->PasteFromClipboard());
    ASSERT_EQ(graph->Objects().Count(), 6);
    EXPECT_EQ(graph->SelectedObjects().Count(), 3);
    auto* a2 = dynamic_cast<TGraphNode*>(graph->Objects().Items(3));
    auto* b2 = dynamic_cast<TGraphNode*>(graph->Objects().Items(4));
    auto* link2 = dynamic_cast<TGraphLink*>(graph->Objects().Items(5));
    ASSERT_TRUE(a2 && b2 && link2);
    EXPECT_TRUE(a2->Selected() && b2->Selected() && link2->Selected());
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(a2->BoundsRect(), a->BoundsRect());
    EXPECT_EQ(b2->BoundsRect(), b->BoundsRect());
    EXPECT_EQ((std::vector<uint32_t>{a2->ID(), b2->ID(), link2->ID()}),
              (std::vector<uint32_t>{4, 5, 6}));
    EXPECT_EQ(link2->Source(), a2);
    EXPECT_EQ(link2->Target(), b2);
    EXPECT_EQ(GraphChanges(), 1);
}

TEST_F(ExportTest, PastedPictureBecomesTheBackgroundOfTheOneSelectedNode) {
    TGraphNode* a = Node({100, 100, 160, 140});
    TGraphNode* b = Node({300, 100, 360, 140});
    TGraphLink* link = Link(a, b);
    QImage red(10, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    QApplication::clipboard()->setImage(red);

    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_FALSE(graph->PasteFromClipboard());
    EXPECT_TRUE(a->Background().IsEmpty());
    EXPECT_TRUE(b->Background().IsEmpty());

    b->SetSelected(false);
    EXPECT_FALSE(graph->PasteFromClipboard());
    ASSERT_FALSE(a->Background().IsEmpty());
    EXPECT_EQ(a->Background().Graphic()->ClassName(), QStringLiteral("TBitmap"));
    EXPECT_EQ(a->Background().Graphic()->Size(), (TSize{10, 6}));
    EXPECT_TRUE(graph->Modified());

    // A metafile goes the same way; a selected link is left as it is.
    graph->ClearSelection();
    a->SetSelected(true);
    graph->SetClipboardFormats({cfMetafile});
    graph->CopyToClipboard(true);
    b->SetSelected(true);
    a->SetSelected(false);
    EXPECT_FALSE(graph->PasteFromClipboard());
    EXPECT_EQ(b->Background().Graphic()->ClassName(), QStringLiteral("TMetafile"));
    b->SetSelected(false);
    link->SetSelected(true);
    EXPECT_FALSE(graph->PasteFromClipboard());
}

// Runs a poppler tool; empty when it is not installed.
QByteArray Poppler(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

TEST_F(ExportTest, PrintsTheObjectsScaledToThePage) {
    TGraphNode* node = Node({100, 100, 400, 200});
    node->SetText(QStringLiteral("Printed caption"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QRect page;
    int resolution = 0;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&printer);
        TCanvas canvas(&painter);
        page = printer.pageLayout().paintRectPixels(printer.resolution());
        resolution = printer.resolution();
        graph->Print(canvas, {50, 50, page.width() - 50, page.height() - 50});
    }
    ASSERT_TRUE(QFile::exists(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    const QByteArray text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains("Printed caption")) << text.constData();

    constexpr int kDpi = 100;
    const QString png = dir.filePath(QStringLiteral("page"));
    Poppler(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(kDpi),
             QStringLiteral("-singlefile"), pdf, png});
    const QImage image(png + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    // The page's corner (1197, 855) lands on (width - 50, height - 50) of the printer,
    // so the node's left edge, x = 100, lies at 100 / 1197 of that.
    const double scale = static_cast<double>(kDpi) / resolution;
    const int x = qRound((page.width() - 50) * 100.0 / 1197 * scale);
    const int y = qRound((page.height() - 50) * 150.0 / 855 * scale);
    int darkest = 255;
    for (int dx = -2; dx <= 2; ++dx) {
        darkest = std::min(darkest, qGray(image.pixel(x + dx, y)));
    }
    EXPECT_LT(darkest, 160);
    EXPECT_EQ(image.pixel(x + 10, y), qRgb(255, 255, 255)); // inside the white node
}

TEST_F(ExportTest, SvgAndPdfFilesHoldTheObjectsAtTheirSize) {
    TGraphNode* a = Node({100, 100, 300, 180});
    a->SetText(QStringLiteral("First caption"));
    TGraphNode* b = Node({400, 100, 520, 180});
    b->SetText(QStringLiteral("Second caption"));
    Link(a, b);
    const TRect bounds = graph->BoundsOfObjects(graph->Objects());
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("graph.svg"));
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    graph->SaveAsSvg(svg);
    graph->SaveAsPdf(pdf);

    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), QSize(bounds.Width() + 1, bounds.Height() + 1));
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    // The first node's left edge lies on the picture's left edge.
    EXPECT_LT(qGray(image.pixel(0, 40)), 128);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    const QByteArray text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains("First caption")) << text.constData();
    EXPECT_TRUE(text.contains("Second caption")) << text.constData();
}

TEST_F(ExportTest, AFailedVectorExportLeavesNoFile) {
    Node({100, 100, 300, 180});
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/graph.svg"));
    EXPECT_THROW(graph->SaveAsSvg(missing), EFCreateError);
    EXPECT_THROW(graph->SaveAsPdf(missing + QStringLiteral(".pdf")), EFCreateError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ExportTest, PrintingAnEmptyGraphDrawsNothing) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage blank = image;
    {
        QPainter painter(&image);
        TCanvas canvas(&painter);
        graph->Print(canvas, {0, 0, 200, 200});
    }
    EXPECT_EQ(image, blank);
}

} // namespace
} // namespace zov
