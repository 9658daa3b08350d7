// The document window's print preview: one page for the graph, zoom, and saving as
// PDF without the library beside the program.
#include "preview/widgets/PrintPreview.h"

#include "app/PrintPreviewForm.h"
#include "graph/model/GraphNode.h"
#include "platform/pictures/EmfWriter.h"
#include "platform/pictures/Picture.h"
#include "support/DialogSteps.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QToolBar>

namespace zov::test {
namespace {

class PrintPreviewTest : public DocumentTest {
protected:
    void Preview(ModalAnswers::TStep step, std::vector<ModalAnswers::TStep> nested = {}) {
        modals.Then(std::move(step));
        for (ModalAnswers::TStep& answer : nested) {
            modals.Then(std::move(answer));
        }
        Act("PrintPreview")->trigger();
        ASSERT_TRUE(modals.Done());
    }
};

TPrintPreview& PreviewOf(QWidget& form) {
    return Field<TPrintPreview>(form, "PP1");
}

QAction& FormAction(QWidget& form, const char* name) {
    return Field<QAction>(form, name);
}

TEST_F(PrintPreviewTest, AGraphLargerThanAPageGivesOnePage) {
    graph->InsertNode({100, 100, 300, 200});
    graph->InsertNode({9000, 7000, 9300, 7200}); // far beyond one page
    Preview([](QWidget& form) {
        EXPECT_EQ(form.objectName(), QStringLiteral("frmPrintPreview"));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Druckvorschau"));
        TPrintPreview& preview = PreviewOf(form);
        EXPECT_EQ(preview.TotalPages(), 1);
        EXPECT_EQ(preview.State(), psReady);
        Snapshot(form);
        FormAction(form, "Close").trigger();
    });
}

TEST_F(PrintPreviewTest, PicturesOfNodesReachThePage) {
    TGraphNode* node = graph->InsertNode({300, 100, 500, 200});
    TEmfDevice device(200, 100);
    QPainter painter(&device);
    painter.drawText(QPointF(10, 50), QStringLiteral("BackgroundWords"));
    painter.end();
    TPicture picture;
    picture.SetGraphic(QStringLiteral("TMetafile"), device.Bytes());
    node->SetBackground(picture);
    Preview([](QWidget& form) {
        const QByteArray page = PreviewOf(form).Pages(1);
        const QString word = QStringLiteral("BackgroundWords");
        EXPECT_TRUE(page.contains(
            QByteArray(reinterpret_cast<const char*>(word.utf16()), word.size() * 2)));
        form.close();
    });
}

TEST_F(PrintPreviewTest, ZoomActionsStopAtTheLimits) {
    graph->InsertNode({100, 100, 300, 200});
    Preview([](QWidget& form) {
        TPrintPreview& preview = PreviewOf(form);
        preview.SetZoom(990);
        FormAction(form, "ZoomP").trigger();
        FormAction(form, "ZoomP").trigger();
        EXPECT_EQ(preview.Zoom(), 1000);
        preview.SetZoom(20);
        FormAction(form, "ZoomM").trigger();
        FormAction(form, "ZoomM").trigger();
        EXPECT_EQ(preview.Zoom(), 10);
        EXPECT_EQ(FormAction(form, "ZoomP").shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        EXPECT_EQ(FormAction(form, "ZoomM").shortcut(),
                  QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        FormAction(form, "MaxW").trigger();
        EXPECT_EQ(preview.ZoomState(), zsZoomToWidth);
        FormAction(form, "MaxH").trigger();
        EXPECT_EQ(preview.ZoomState(), zsZoomToHeight);
        form.close();
    });
}

TEST_F(PrintPreviewTest, SavingPdfWithoutTheLibraryIsReported) {
    graph->InsertNode({100, 100, 300, 200});
    Preview(
        [](QWidget& form) {
            EXPECT_FALSE(PreviewOf(form).CanSaveAsPDF()); // none beside the test program
            auto& bar = Field<QToolBar>(form, "ToolBar1");
            QWidget* button = bar.widgetForAction(&FormAction(form, "SavingPDF"));
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton); // answered by the message step
            form.close();
        },
        {[](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr) << modal.objectName().toStdString();
            EXPECT_EQ(box->text(), QStringLiteral("Cannot locate dspdf.dll"));
            box->accept();
        }});
}

} // namespace
} // namespace zov::test
