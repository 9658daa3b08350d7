#include "support/EditorFixture.h"

#include "GraphJson.h"
#include "graph/model/GraphNode.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdio>

namespace zov::test {

ModalAnswers::ModalAnswers() {
    fTimer.setInterval(5);
    QObject::connect(&fTimer, &QTimer::timeout, [this] { Poll(); });
}

void ModalAnswers::Then(TStep step) {
    fSteps.push_back(std::move(step));
    fTimer.start();
}

void ModalAnswers::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == fLast || fSteps.empty()) {
        return;
    }
    fLast = modal;
    fSeen.append(modal->objectName());
    TStep step = std::move(fSteps.front());
    fSteps.pop_front();
    // Qt does not fire a timer again while its signal is being handled; restarting
    // registers it anew, so the windows this step opens get their answers too.
    fTimer.stop();
    if (!fSteps.empty()) {
        fTimer.start();
    }
    step(*modal);
}

ModalAnswers::TStep ModalAnswers::Click(int standardButton) {
    return [standardButton](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr) << modal.objectName().toStdString();
        QAbstractButton* button =
            box->button(static_cast<QMessageBox::StandardButton>(standardButton));
        ASSERT_NE(button, nullptr);
        button->click();
    };
}

ModalAnswers::TStep ModalAnswers::PressEscape() {
    return [](QWidget& modal) {
        QTest::keyClick(&modal, Qt::Key_Escape);
    };
}

ModalAnswers::TStep ModalAnswers::ChooseFile(const QString& path) {
    return [path](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.objectName().toStdString();
        dialog->selectFile(path);
        EXPECT_EQ(dialog->selectedFiles(), QStringList{path});
        static_cast<QDialog*>(dialog)->accept();
    };
}

ModalAnswers::TStep ModalAnswers::Cancel() {
    return [](QWidget& modal) {
        if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
            dialog->reject();
        }
    };
}

void EditorTest::SetUp() {
    SettingsFolders::SetUp();
    ASSERT_TRUE(fWork.isValid());
    fOldWorkDir = QDir::currentPath();
    QDir::setCurrent(fWork.path());
    DlgTexte.SetFolders(Folders());
    OpenSettings(Folders());
    // The association is the settings tests' business; here it counts as done.
    WriteSetting(QStringLiteral("REG_ZOV"), QStringLiteral("1"));
}

void EditorTest::TearDown() {
    // Closing asks nothing more: whatever a test left modified is discarded.
    if (frame) {
        for (TMDIChild* child : frame->Children()) {
            child->Graph().SetModified(false);
        }
        frame->close();
        frame.reset();
    }
    EXPECT_TRUE(modals.Done()) << "a modal window that was to be answered never opened";
    QDir::setCurrent(fOldWorkDir);
    SettingsFolders::TearDown();
}

TStartResult EditorTest::Start(const QStringList& arguments) {
    frame = std::make_unique<TMainForm>();
    frame->resize(1000, 800);
    frame->show();
    const TStartResult result = frame->FormShow(arguments);
    // The windows take their sizes, so the graphs know their scroll ranges.
    QApplication::processEvents();
    return result;
}

TMDIChild& EditorTest::Child() const {
    TMDIChild* child = frame->ActiveChild();
    if (child == nullptr) {
        throw std::runtime_error("no active document window");
    }
    return *child;
}

void EditorTest::Click(TMDIChild& child, TPoint at) {
    TRaroviRovoz& graph = child.Graph();
    const TPoint client = graph.GraphToClient(at.X, at.Y);
    QTest::mouseClick(graph.viewport(), Qt::LeftButton, {}, QPoint(client.X, client.Y));
}

void EditorTest::Drag(TMDIChild& child, TPoint from, TPoint to) {
    TRaroviRovoz& graph = child.Graph();
    QWidget* view = graph.viewport();
    const TPoint a = graph.GraphToClient(from.X, from.Y);
    const TPoint b = graph.GraphToClient(to.X, to.Y);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(a.X, a.Y));
    for (int step = 1; step <= 4; ++step) {
        const QPointF at(a.X + (b.X - a.X) * step / 4.0, a.Y + (b.Y - a.Y) * step / 4.0);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(b.X, b.Y));
}

TGraphNode* EditorTest::DrawNode(TMDIChild& child, const char* action, const TRect& bounds) {
    child.Action(QLatin1String(action))->trigger();
    const int32_t before = child.Graph().ObjectsCount();
    Drag(child, bounds.TopLeft(), bounds.BottomRight());
    if (child.Graph().ObjectsCount() != before + 1) {
        return nullptr;
    }
    return dynamic_cast<TGraphNode*>(child.Graph().Objects().Items(before));
}

std::string EditorTest::Dump(TGraphDocument& graph) {
    std::FILE* file = std::tmpfile();
    WriteGraphJson(graph, file);
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    const size_t read = std::fread(text.data(), 1, text.size(), file);
    std::fclose(file);
    text.resize(read);
    return text;
}

} // namespace zov::test
