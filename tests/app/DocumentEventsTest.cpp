// The document window's reactions to its graph and to its tool-bar boxes: the status
// panels, the selection's formatting, confirmations, hover texts, wheel zoom, the
// logo, printer setup and printing.
#include "app/AppConstants.h"
#include "dialogs/ColorBox.h"
#include "platform/graphics/PaperDetection.h"
#include "dialogs/ClassDisplayName.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "settings/MetafileResource.h"
#include "support/EditorFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <QWheelEvent>

namespace zov::test {
namespace {

TEST(ClassDisplayNameTest, SplitsWordsAndDropsNode) {
    const std::pair<const char*, const char*> cases[] = {
        {"TRoundRectangularNode", "Round Rectangular"},
        {"TTextNode", "Text"},
        {"TDataNode", "Data"},
        {"TGraphLink", "Graph Link"},
        {"T", ""},
        {"TNodeNode", "Node"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(ClassDisplayName(QLatin1String(name)), QLatin1String(expected)) << name;
    }
}

TEST(PaperDetectionTest, FindsMetricAndInchPapersInEitherOrientation) {
    struct Case {
        QPageSize page;
        std::optional<TPaperType> expected;
    };
    const Case cases[] = {
        {QPageSize(QPageSize::A4), pA4},
        {QPageSize(QSizeF(297, 210), QPageSize::Millimeter), pA4},
        {QPageSize(QPageSize::Letter), pLetter},
        {QPageSize(QPageSize::Legal), pLegal},
        {QPageSize(QPageSize::A3), pA3},
        {QPageSize(QSizeF(123, 45), QPageSize::Millimeter), std::nullopt},
        {QPageSize(), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaperTypeOfPage(c.page), c.expected) << c.page.name().toStdString();
    }
    for (const TPaperType type : {pA4, pLetter, pA5, pLegal}) {
        EXPECT_EQ(PaperTypeOfPage(PageSizeOf(type)), type) << PaperInfo(type).Name;
    }
}

class DocumentEventsTest : public DocumentTest {
protected:
    template <class T> T* Box(const char* name) const {
        return child->findChild<T*>(QLatin1String(name));
    }
    // Selects the objects alone, as a click would.
    void Select(std::initializer_list<TGraphObject*> objects) {
        graph->ClearSelection();
        for (TGraphObject* object : objects) {
            object->SetSelected(true);
        }
    }
};

TEST_F(DocumentEventsTest, ASingleNodeShowsItsPlaceSizeAndFirstLine) {
    TGraphNode* node = graph->InsertNode({40, 50, 140, 110});
    node->SetText(QStringLiteral("A\r\nB"));
    Select({node});
    EXPECT_EQ(child->PanelText(spPosition), QStringLiteral("(40, 50)"));
    EXPECT_EQ(child->PanelText(spSize), QStringLiteral("100 x 60"));
    EXPECT_EQ(child->PanelText(spText), QStringLiteral("A"));
    node->SetText(QStringLiteral("first\nsecond"));
    EXPECT_EQ(child->PanelText(spText), QStringLiteral("first"));

    TGraphNode* other = graph->InsertNode({200, 50, 260, 110});
    Select({node, other});
    EXPECT_TRUE(child->PanelText(spPosition).isEmpty());
    EXPECT_TRUE(child->PanelText(spText).isEmpty());
}

TEST_F(DocumentEventsTest, AChangedSingleLinkShowsItsPointsAndWholeText) {
    TGraphLink* link = graph->InsertLink(std::vector<TPoint>{{10, 10}, {60, 10}, {60, 80}});
    ASSERT_NE(link, nullptr);
    Select({link});
    link->SetText(QStringLiteral("yes\r\nno %2"));
    EXPECT_EQ(child->PanelText(spSize), QStringLiteral("3 point(s)"));
    EXPECT_EQ(child->PanelText(spText), QStringLiteral("yes\r\nno %2"));
}

TEST_F(DocumentEventsTest, TheSelectionShowsItsFormattingWithoutChangingIt) {
    TGraphNode* node = graph->InsertNode({40, 50, 140, 110});
    node->Font().SetSize(14);
    node->Font().SetStyle(TFontStyles{fsItalic});
    node->Brush().SetColor(clYellow);
    node->Pen().SetColor(clRed);
    node->Pen().SetWidth(3);
    node->SetAlignment(taLeftJustify);
    Select({node});
    EXPECT_EQ(Box<QComboBox>("cbxFontSize")->currentText(), QStringLiteral("14"));
    EXPECT_EQ(Box<QComboBox>("LineSize")->currentText(), QStringLiteral("3"));
    EXPECT_EQ(Box<TColorBox>("NodeBackgroundColor")->Selected(), clYellow);
    EXPECT_EQ(Box<TColorBox>("LineColor")->Selected(), clRed);
    EXPECT_TRUE(Act("FormatItalic")->isChecked());
    EXPECT_FALSE(Act("FormatBold")->isChecked());
    EXPECT_TRUE(Act("FormatAlignLeft")->isChecked());

    // A second node selected with it keeps its own colours.
    TGraphNode* second = graph->InsertNode({200, 50, 260, 110});
    second->Brush().SetColor(clAqua);
    second->SetSelected(true);
    EXPECT_EQ(second->Brush().Color(), clAqua);
}

TEST_F(DocumentEventsTest, TheUsersToolBarChoicesApplyToTheSelection) {
    TGraphNode* a = graph->InsertNode({40, 50, 140, 110});
    TGraphNode* b = graph->InsertNode({200, 50, 260, 110});
    Select({a, b});
    auto* lineSize = Box<QComboBox>("LineSize");
    emit lineSize->textActivated(QStringLiteral("abc"));
    EXPECT_EQ(a->Pen().Width(), 1);
    EXPECT_EQ(b->Pen().Width(), 1);
    emit lineSize->textActivated(QStringLiteral("7"));
    EXPECT_EQ(b->Pen().Width(), 7);
    emit lineSize->textActivated(QStringLiteral("101"));
    EXPECT_EQ(b->Pen().Width(), 1) << "a line size beyond 100 counts as no number";

    auto* fontSize = Box<QComboBox>("cbxFontSize");
    emit fontSize->textActivated(QStringLiteral("18"));
    EXPECT_EQ(a->Font().Size(), 18);
    emit fontSize->textActivated(QStringLiteral("abc"));
    emit fontSize->textActivated(QStringLiteral("1000"));
    EXPECT_EQ(a->Font().Size(), 18);

    auto* color = Box<TColorBox>("NodeBackgroundColor");
    color->SetSelected(clLime);
    emit color->activated(color->currentIndex());
    EXPECT_EQ(a->Brush().Color(), clLime);
    EXPECT_EQ(b->Brush().Color(), clLime);
}

TEST_F(DocumentEventsTest, PastedObjectsTakeTheToolBarsOpenedFilesKeepTheirs) {
    TGraphNode* node = graph->InsertNode({40, 50, 140, 110});
    node->Font().SetSize(9);
    const QString file = WorkPath(QStringLiteral("kept.zov"));
    graph->SaveToFile(file);
    Select({node});
    graph->CopyToClipboard(true);

    Box<QComboBox>("cbxFontSize")->setEditText(QStringLiteral("20"));
    Act("FormatUnderline")->setChecked(true);
    graph->PasteFromClipboard();
    ASSERT_EQ(graph->ObjectsCount(), 2);
    EXPECT_EQ(graph->Objects().Items(1)->Font().Size(), 20);
    EXPECT_TRUE(graph->Objects().Items(1)->Font().Style().Contains(fsUnderline));

    child->OpenFile(file);
    ASSERT_EQ(graph->ObjectsCount(), 1);
    EXPECT_EQ(graph->Objects().Items(0)->Font().Size(), 9);
}

TEST_F(DocumentEventsTest, TheLogoGoesOnTheNextRectangularNodeEvenATextNode) {
    Act("QuorixLogo")->trigger();
    Act("ObjectsText")->trigger();
    Click(*child, {40, 40});
    ASSERT_EQ(graph->ObjectsCount(), 1);
    auto* node = dynamic_cast<TGraphNode*>(graph->Objects().Items(0));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(&node->ClassType(), &TTextNode::Class());
    EXPECT_FALSE(node->Background().IsEmpty());
    EXPECT_EQ(node->Pen().Style(), psClear);
    const TSize logo = LoadMetafileResource(QStringLiteral("QUORIXLOGO")).Size();
    EXPECT_EQ(node->Width(), logo.cx);
    EXPECT_EQ(node->Height(), logo.cy);
    EXPECT_EQ(node->Left(), 40);
    TGraphNode* next = DrawNode(*child, "ObjectsRectangle", {200, 40, 260, 90});
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->Background().IsEmpty());
}

TEST_F(DocumentEventsTest, HookConfirmationsNameTheEndsAndNONAME) {
    TGraphNode* node = graph->InsertNode({40, 50, 140, 110});
    node->SetText(QStringLiteral("Box %2"));
    TGraphLink* link = graph->InsertLink(std::vector<TPoint>{{300, 300}, {400, 300}});
    Act("OptionsConfirmHookLink")->setChecked(true);
    QStringList asked;
    const auto answer = [&asked](QMessageBox::StandardButton button) {
        return [&asked, button](QWidget& modal) {
            auto& box = static_cast<QMessageBox&>(modal);
            asked.append(box.text());
            box.button(button)->click();
        };
    };
    bool can = true;
    modals.Then(answer(QMessageBox::Yes));
    graph->OnCanHookLink(*graph, node, link, 0, can);
    EXPECT_TRUE(can);
    modals.Then(answer(QMessageBox::No));
    graph->OnCanHookLink(*graph, node, link, 1, can);
    EXPECT_FALSE(can);
    can = true;
    modals.Then(answer(QMessageBox::No));
    graph->OnCanLinkObjects(*graph, link, node, nullptr, can);
    EXPECT_FALSE(can);
    EXPECT_EQ(
        asked,
        (QStringList{
            QStringLiteral("Are you sure to hook startpoint of 'NONAME' link to 'Box %2' object?"),
            QStringLiteral("Are you sure to hook endpoint of 'NONAME' link to 'Box %2' object?"),
            QStringLiteral(
                "Are you sure to connect 'Box %2' and 'NONAME' objects using 'NONAME' link?")}));
    // Unchecked, or already refused: no question.
    Act("OptionsConfirmHookLink")->setChecked(false);
    can = true;
    graph->OnCanHookLink(*graph, node, link, 0, can);
    EXPECT_TRUE(can);
}

TEST_F(DocumentEventsTest, HoverTextsOfAnUnhookedLinkAndANode) {
    TGraphLink* link = graph->InsertLink(std::vector<TPoint>{{10, 20}, {50, 60}, {100, 20}});
    EXPECT_EQ(TMDIChild::HoverText(*link),
              QStringLiteral("Link: \r\nStartpoint at: (10, 20) \r\nEndpoint at: (100, 20) "
                             "\r\nBreakpoints Count: 1"));
    graph->SetDefaultNodeClass(&TRoundRectangularNode::Class());
    TGraphNode* node = graph->InsertNode({40, 50, 140, 110}, &TRoundRectangularNode::Class());
    node->SetText(QStringLiteral("Start %1"));
    EXPECT_EQ(TMDIChild::HoverText(*node),
              QStringLiteral("Round Rectangular Node: Start %1\r\nOrigin: 40, 50; Size: 100 x 60"));
}

TEST_F(DocumentEventsTest, WheelZoomsByFiveKeepingThePointUnderTheCursor) {
    // The graph is larger than the window, so the view can scroll both ways.
    graph->InsertNode({1000, 700, 1100, 800});
    frame->resize(700, 500);
    QApplication::processEvents();
    ASSERT_TRUE(graph->HorzScrollBar().IsScrollBarVisible());
    QWidget* view = graph->viewport();
    const QPoint at(300, 200);
    QCursor::setPos(view->mapToGlobal(at));
    const TPoint before = graph->ClientToGraph(at.x(), at.y());
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(at), QPointF(view->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    };
    wheel(120);
    EXPECT_EQ(graph->Zoom(), 105);
    const TPoint after = graph->ClientToGraph(at.x(), at.y());
    EXPECT_NEAR(after.X, before.X, 1);
    EXPECT_NEAR(after.Y, before.Y, 1);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(graph->Zoom(), 95);

    // Zoom Out stops at 20, the wheel goes further.
    graph->SetZoom(20);
    child->ActionListUpdate();
    EXPECT_FALSE(Act("ViewZoomOut")->isEnabled());
    wheel(-120);
    EXPECT_EQ(graph->Zoom(), 15);
}

TEST_F(DocumentEventsTest, PrinterSetupReadsPaperAndOrientationBack) {
    graph->SetPaperType(pA3);
    graph->SetLage('P');
    // Cancel: the printer still holds the graph's page, so nothing changes. (Without
    // an installed printer Qt's page dialog declines at once.)
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
        modals.Then(ModalAnswers::Cancel());
    }
    Act("PrinterSetup")->trigger();
    EXPECT_EQ(graph->PaperType(), pA3);
    EXPECT_EQ(graph->Lage(), 'P');
    EXPECT_FALSE(graph->Modified());

    struct Case {
        QPageSize page;
        QPageLayout::Orientation orientation;
        TPaperType paper;
        char lage;
    };
    const Case cases[] = {
        {QPageSize(QPageSize::A4), QPageLayout::Landscape, pA4, 'L'},
        {QPageSize(QPageSize::Letter), QPageLayout::Portrait, pLetter, 'P'},
        // A paper the table lacks keeps the type; the orientation still follows.
        {QPageSize(QSizeF(100, 100), QPageSize::Millimeter), QPageLayout::Landscape, pLetter, 'L'},
    };
    for (const Case& c : cases) {
        child->Printer().setPageSize(c.page);
        child->Printer().setPageOrientation(c.orientation);
        child->TakePageFromPrinter();
        EXPECT_EQ(graph->PaperType(), c.paper) << c.page.name().toStdString();
        EXPECT_EQ(graph->Lage(), c.lage) << c.page.name().toStdString();
        EXPECT_TRUE(graph->Modified()) << "paper and orientation are saved with the graph";
        graph->SetModified(false);
    }
}

TEST_F(DocumentEventsTest, PrintsThroughThePrintDialogIntoAPdf) {
    TGraphNode* start = graph->InsertNode({100, 100, 300, 180});
    start->SetText(QStringLiteral("Start"));
    TGraphNode* end = graph->InsertNode({100, 400, 300, 480}, &TEllipticNode::Class());
    end->SetText(QStringLiteral("Finish"));
    graph->InsertLink(start, end);
    const QString pdf = WorkPath(QStringLiteral("printed.pdf"));
    child->Printer().setOutputFormat(QPrinter::PdfFormat);
    child->Printer().setOutputFileName(pdf);
    modals.Then([](QWidget& modal) { static_cast<QDialog&>(modal).accept(); });
    child->FilePrint();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(child->Printer().docName(), ApplicationTitle());

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains(QStringLiteral("Start"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("Finish"))) << words.toStdString();
    // A picture of the page for a person to look at.
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                       QStringLiteral("-singlefile"), pdf,
                       QStringLiteral(ZOV_TEST_OUTPUT "/app-printed-page")});
}

} // namespace
} // namespace zov::test
