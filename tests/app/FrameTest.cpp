// The frame: start-up and command line, new documents, recent files, menus, the
// translation keys, closing, the help commands and the error report.
#include "app/AboutBox.h"
#include "app/AppConstants.h"
#include "support/EditorFixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

namespace zov::test {
namespace {

QStringList Titles(const TMainForm& frame) {
    QStringList titles;
    for (QMdiSubWindow* window : frame.MdiArea().subWindowList()) {
        titles.append(window->windowTitle());
    }
    return titles;
}

QStringList MenuBarTitles(TMainForm& frame) {
    QStringList titles;
    for (QAction* item : frame.menuBar()->actions()) {
        titles.append(item->text());
    }
    return titles;
}

// Saves a small graph of one node under that name.
void WriteGraphFile(const QString& path) {
    TGraphDocument graph;
    graph.InsertNode({10, 10, 60, 40});
    graph.SaveToFile(path);
}

using FrameTest = EditorTest;

TEST_F(FrameTest, WithoutArgumentsOneEmptyWindowNONAME1) {
    EXPECT_EQ(Start(), srRun);
    EXPECT_EQ(Titles(*frame), QStringList{QStringLiteral("NONAME1.ZOV")});
    EXPECT_EQ(Child().Graph().ObjectsCount(), 0);
    EXPECT_EQ(frame->OpenFilter(), QStringLiteral("ZOV  (*.ZOV);;All Files (*)"));
}

TEST_F(FrameTest, AnExistingNONAME1InTheWorkingDirectoryIsOpened) {
    WriteGraphFile(WorkPath(QStringLiteral("NONAME1.ZOV")));
    Start();
    EXPECT_EQ(Child().Graph().ObjectsCount(), 1);
    EXPECT_TRUE(Child().windowTitle().startsWith(WorkPath(QStringLiteral("NONAME1.ZOV"))));
}

TEST_F(FrameTest, INSTInstallsAndEndsOnlyInCapitals) {
    EXPECT_EQ(Start({QStringLiteral("INST")}), srQuit);
    EXPECT_TRUE(Titles(*frame).isEmpty());
    EXPECT_TRUE(modals.Seen().isEmpty()) << "no success message after INST";
    frame.reset();

    EXPECT_EQ(Start({QStringLiteral("inst")}), srRun);
    EXPECT_EQ(Titles(*frame), QStringList{QStringLiteral("inst")});
}

TEST_F(FrameTest, OnlyTheFirstArgumentCounts) {
    const QString file = WorkPath(QStringLiteral("graph.zov"));
    WriteGraphFile(file);
    Start({file, QStringLiteral("second.zov"), QStringLiteral("INST")});
    ASSERT_EQ(frame->Children().size(), 1);
    EXPECT_EQ(Child().Graph().ObjectsCount(), 1);
    EXPECT_EQ(Child().windowTitle(), file + QStringLiteral(" - ") + ApplicationTitle());
}

TEST_F(FrameTest, AnUnreadableFileOnTheCommandLineLeavesAnEmptyWindowAndAMessage) {
    const QString file = WorkPath(QStringLiteral("broken.zov"));
    WriteFile(file, "not a graph");
    modals.Then(ModalAnswers::Click(QMessageBox::Ok));
    EXPECT_EQ(Start({file}), srRun);
    EXPECT_EQ(modals.Seen(), QStringList{QStringLiteral("ErrorBox")});
    EXPECT_EQ(Titles(*frame), QStringList{file});
    EXPECT_EQ(Child().Graph().ObjectsCount(), 0);
}

TEST_F(FrameTest, NewNumbersByTheCountOfWindows) {
    Start();
    frame->Action(QStringLiteral("FileNew1"))->trigger();
    frame->Action(QStringLiteral("FileNew1"))->trigger();
    EXPECT_EQ(Titles(*frame),
              (QStringList{QStringLiteral("NONAME1.ZOV"), QStringLiteral("NONAME2.ZOV"),
                           QStringLiteral("NONAME3.ZOV")}));
    frame->MdiArea().subWindowList().front()->close();
    frame->Action(QStringLiteral("FileNew1"))->trigger();
    EXPECT_EQ(Titles(*frame),
              (QStringList{QStringLiteral("NONAME2.ZOV"), QStringLiteral("NONAME3.ZOV"),
                           QStringLiteral("NONAME3.ZOV")}));
}

TEST_F(FrameTest, MenusMergeWithTheActiveWindowsInGroupOrder) {
    Start({QStringLiteral("INST")});
    EXPECT_EQ(
        MenuBarTitles(*frame),
        (QStringList{QStringLiteral("&File"), QStringLiteral("&Window"), QStringLiteral("&Help")}));
    frame->Action(QStringLiteral("FileNew1"))->trigger();
    EXPECT_EQ(
        MenuBarTitles(*frame),
        (QStringList{QStringLiteral("&File"), QStringLiteral("Edit"), QStringLiteral("Objects"),
                     QStringLiteral("Tools"), QStringLiteral("&Window"), QStringLiteral("&Help")}));
    // The document window's Ctrl+N and the frame's would silence each other.
    EXPECT_TRUE(frame->Action(QStringLiteral("FileNew1"))->shortcut().isEmpty());
    frame->MdiArea().closeAllSubWindows();
    EXPECT_EQ(MenuBarTitles(*frame).size(), 3);
    EXPECT_EQ(frame->Action(QStringLiteral("FileNew1"))->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+N")));
}

TEST_F(FrameTest, CtrlNInADocumentWindowRunsTheWindowsNew) {
    Start();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    TMDIChild& child = Child();
    child.Graph().InsertNode({10, 10, 50, 50});
    child.Graph().setFocus();
    modals.Then(ModalAnswers::Click(QMessageBox::No));
    QTest::keyClick(&child.Graph(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frame->Children().size(), 1) << "the frame's New made a window";
    EXPECT_EQ(child.Graph().ObjectsCount(), 0);
    EXPECT_EQ(child.windowTitle(), QStringLiteral("Untitled - ") + ApplicationTitle());
}

TEST_F(FrameTest, TheWindowMenuListsTheOpenWindows) {
    Start();
    frame->Action(QStringLiteral("FileNew1"))->trigger();
    QMenu* menu = frame->findChild<QMenu*>(QStringLiteral("Window1"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList items;
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator()) {
            items.append(item->text());
        }
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("Cascade"), QStringLiteral("Tile Horizontal"),
                                  QStringLiteral("Tile Vertical"), QStringLiteral("Minimize All"),
                                  QStringLiteral("Arrange All"), QStringLiteral("&1 NONAME1.ZOV"),
                                  QStringLiteral("&2 NONAME2.ZOV")}));
}

TEST_F(FrameTest, RecentFilesAppearAtTheNextStartWithTheirListPositions) {
    const QString kept = WorkPath(QStringLiteral("a&b.zov"));
    const QString deleted = WorkPath(QStringLiteral("gone.zov"));
    Start();
    TMDIChild& child = Child();
    child.Graph().InsertNode({10, 10, 50, 50});
    modals.Then(ModalAnswers::ChooseFile(deleted));
    child.FileSave();
    child.Graph().InsertNode({70, 10, 110, 50});
    modals.Then(ModalAnswers::ChooseFile(kept));
    child.FileSaveAs();
    ASSERT_TRUE(modals.Done());
    frame->close();
    frame.reset();
    ASSERT_TRUE(QFile::remove(deleted));

    Start({QStringLiteral("INST")});
    QMenu* file = frame->findChild<QMenu*>(QStringLiteral("File1"));
    QAction* item = frame->findChild<QAction*>(QStringLiteral("RecentFile0"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), WorkPath(QStringLiteral("a&&b.zov")));
    EXPECT_EQ(file->actions().back(), item);
    EXPECT_EQ(frame->findChild<QAction*>(QStringLiteral("RecentFile1")), nullptr);
    item->trigger();
    ASSERT_EQ(frame->Children().size(), 1);
    EXPECT_EQ(Child().Graph().ObjectsCount(), 2);
}

TEST_F(FrameTest, TranslationAsksTheKeysOfBothWindowsInOrder) {
    Start();
    const TDlgTextList* entries = DlgTexte.Entries();
    ASSERT_NE(entries, nullptr);
    const auto indexOf = [entries](const char* key) {
        for (qsizetype i = 0; i < entries->Count(); ++i) {
            if (entries->Items(i).Key == QLatin1String(key)) {
                return i;
            }
        }
        return qsizetype{-1};
    };
    for (const char* key :
         {"MainForm_FileNew1_C", "MainForm_FileNew1_H", "MainForm_actZOVHELP_C", "MainForm_File1_M",
          "MainForm_Window1_M", "MainForm_Help1_M", "MDIChild_PrintPreview_H",
          "MDIChild_Bearbeiten1_M", "MDIChild_Objekte1_M", "MDIChild_ools1_M"}) {
        EXPECT_GE(indexOf(key), 0) << key;
    }
    const char* const controls[] = {"MDIChild_RaroviRovoz_H",
                                    "MDIChild_StatusBar_H",
                                    "MDIChild_ToolBar2_C",
                                    "MDIChild_ToolBar2_H",
                                    "MDIChild_NodeBackgroundColor_H",
                                    "MDIChild_LineSize_H",
                                    "MDIChild_LineColor_H",
                                    "MDIChild_ToolBar1_C",
                                    "MDIChild_ToolBar1_H",
                                    "MDIChild_FontColor_H",
                                    "MDIChild_cbxFontName_H",
                                    "MDIChild_cbxFontSize_H"};
    for (size_t i = 1; i < std::size(controls); ++i) {
        EXPECT_EQ(indexOf(controls[i]), indexOf(controls[i - 1]) + 1) << controls[i];
    }
    EXPECT_EQ(indexOf("MDIChild_FormatBold_H"), indexOf("MDIChild_FormatBold_C") + 1);
}

TEST_F(FrameTest, CloseOnTheLastWindowClosesTheFrame) {
    Start();
    frame->Action(QStringLiteral("FileNew1"))->trigger();
    frame->Action(QStringLiteral("FileClose1"))->trigger();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Children().size(), 1);
    frame->Action(QStringLiteral("FileClose1"))->trigger();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(FrameTest, ClosingTheFrameStopsAtARefusingWindow) {
    Start();
    Child().Graph().InsertNode({10, 10, 50, 50});
    modals.Then(ModalAnswers::Click(QMessageBox::Cancel));
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(frame->Children().size(), 1);
    modals.Then(ModalAnswers::Click(QMessageBox::No));
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(frame->Children().isEmpty());
}

TEST_F(FrameTest, SaveFromTheFrameNeedsAModifiedGraph) {
    Start();
    // Unmodified: nothing happens, no dialog opens.
    frame->Action(QStringLiteral("FileSave1"))->trigger();
    EXPECT_TRUE(modals.Seen().isEmpty());
    Child().Graph().InsertNode({10, 10, 50, 50});
    modals.Then(ModalAnswers::Cancel());
    frame->Action(QStringLiteral("FileSave1"))->trigger();
    EXPECT_EQ(modals.Seen(), QStringList{QStringLiteral("SaveDialog")});
    EXPECT_TRUE(Child().Graph().Modified());
    EXPECT_EQ(Child().windowTitle(), QStringLiteral("NONAME1.ZOV"));
}

TEST_F(FrameTest, HelpAndInstallReportTheirOutcome) {
    Start();
    modals.Then([](QWidget& modal) {
        EXPECT_EQ(static_cast<QMessageBox&>(modal).text(),
                  QStringLiteral("ZOV_MANUAL.PDF not found!"));
        static_cast<QMessageBox&>(modal).accept();
    });
    frame->Action(QStringLiteral("actZOVHELP"))->trigger();
    // The settings mark the association as done: nothing is registered, yet it succeeded.
    modals.Then([](QWidget& modal) {
        EXPECT_EQ(static_cast<QMessageBox&>(modal).text(), QStringLiteral("well done!"));
        static_cast<QMessageBox&>(modal).accept();
    });
    frame->Action(QStringLiteral("RegApplication"))->trigger();
}

TEST_F(FrameTest, AboutBoxShowsTheVersionAndBuildDate) {
    TAboutBox box;
    const QString text = box.VersionText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("1.70  (01.11.2014)  "))) << text.toStdString();
}

// An object whose events fail, as a handler with a bug would.
class ThrowingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            throw Exception(QStringLiteral("the <b>handler</b> failed"));
        }
        return QObject::event(event);
    }
};

TEST_F(FrameTest, AnErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
    ThrowingObject object;
    modals.Then([](QWidget& modal) {
        auto& box = static_cast<QMessageBox&>(modal);
        EXPECT_EQ(box.text(), QStringLiteral("the <b>handler</b> failed"));
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        box.accept();
    });
    QEvent event(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&object, &event));
    EXPECT_EQ(modals.Seen(), QStringList{QStringLiteral("ErrorBox")});
}

} // namespace
} // namespace zov::test
