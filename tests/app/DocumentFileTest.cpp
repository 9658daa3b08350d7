// The document window's files: save and open, asking to save, a failed open, the
// read-only open, and export.
#include "app/AppConstants.h"
#include "support/EditorFixture.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTest>

namespace zov::test {
namespace {

class DocumentFileTest : public DocumentTest {
protected:
    void DrawTwoNodes() {
        ASSERT_NE(DrawNode(*child, "ObjectsRectangle", {40, 40, 140, 100}), nullptr);
        ASSERT_NE(DrawNode(*child, "ObjectsHexagon", {200, 40, 300, 100}), nullptr);
    }
    static QByteArray Head(const QString& path, int bytes) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
    }
};

TEST_F(DocumentFileTest, SavedGraphOpensAgainTheSame) {
    DrawTwoNodes();
    const QString file = WorkPath(QStringLiteral("drawing.ZOV"));
    modals.Then(ModalAnswers::ChooseFile(file));
    Act("FileSave")->trigger();
    EXPECT_FALSE(child->Graph().Modified());
    EXPECT_EQ(child->windowTitle(), file + QStringLiteral(" - ") + ApplicationTitle());
    EXPECT_EQ(RecentFiles.front(), file);

    TMDIChild* second = frame->OpenDocumentWindow(file);
    EXPECT_EQ(Dump(second->Graph().Document()), Dump(child->Graph().Document()));
    EXPECT_FALSE(second->Graph().Modified());
    EXPECT_EQ(second->SaveFileName(), file);
}

TEST_F(DocumentFileTest, SaveWithANameWritesWithoutAsking) {
    const QString file = WorkPath(QStringLiteral("known.zov"));
    DrawTwoNodes();
    modals.Then(ModalAnswers::ChooseFile(file));
    Act("FileSaveAs")->trigger();
    child->Graph().InsertNode({400, 40, 450, 90});
    Act("FileSave")->trigger();
    EXPECT_EQ(modals.Seen().size(), 1);
    TGraphDocument reread;
    reread.LoadFromFile(file);
    EXPECT_EQ(reread.ObjectsCount(), 3);
}

TEST_F(DocumentFileTest, NewAsksToSaveAndCancelKeepsEverything) {
    DrawTwoNodes();
    modals.Then(ModalAnswers::Click(QMessageBox::Cancel));
    Act("FileNew")->trigger();
    EXPECT_EQ(modals.Seen(), QStringList{QStringLiteral("SaveChangesBox")});
    EXPECT_EQ(child->Graph().ObjectsCount(), 2);

    // Yes, then the save dialog cancelled: the graph stays, still modified.
    modals.Then(ModalAnswers::Click(QMessageBox::Yes));
    modals.Then(ModalAnswers::Cancel());
    Act("FileNew")->trigger();
    EXPECT_EQ(child->Graph().ObjectsCount(), 2);
    EXPECT_TRUE(child->Graph().Modified());

    child->Graph().SetPaperType(pA3);
    modals.Then(ModalAnswers::Click(QMessageBox::No));
    Act("FileNew")->trigger();
    EXPECT_EQ(child->Graph().ObjectsCount(), 0);
    EXPECT_EQ(child->Graph().PaperType(), pA4);
    EXPECT_EQ(child->SaveFileName(), QStringLiteral("Untitled"));
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Untitled - ") + ApplicationTitle());
}

TEST_F(DocumentFileTest, ClosingAModifiedWindowAsks) {
    struct Case {
        const char* name;
        ModalAnswers::TStep answer;
        bool closes;
    };
    const Case cases[] = {
        {"No", ModalAnswers::Click(QMessageBox::No), true},
        {"Cancel", ModalAnswers::Click(QMessageBox::Cancel), false},
        {"Esc", ModalAnswers::PressEscape(), false},
    };
    for (const Case& c : cases) {
        TMDIChild* window = frame->OpenDocumentWindow(QStringLiteral("x.zov"));
        window->Graph().InsertNode({10, 10, 50, 50});
        const auto before = frame->Children().size();
        modals.Then(c.answer);
        frame->MdiArea().activeSubWindow()->close();
        EXPECT_EQ(frame->Children().size(), c.closes ? before - 1 : before) << c.name;
        if (!c.closes) {
            EXPECT_TRUE(window->Graph().Modified()) << c.name;
            EXPECT_EQ(window->Graph().ObjectsCount(), 1) << c.name;
        }
    }
}

TEST_F(DocumentFileTest, AFailedOpenKeepsTheGraphNameAndCaption) {
    DrawTwoNodes();
    const QString good = WorkPath(QStringLiteral("good.zov"));
    modals.Then(ModalAnswers::ChooseFile(good));
    Act("FileSave")->trigger();
    child->Graph().InsertNode({400, 40, 450, 90});
    const std::string before = Dump(child->Graph().Document());
    const QString caption = child->windowTitle();

    // The file breaks off in the middle of the object list.
    QByteArray bytes = Head(good, 100000);
    bytes.chop(bytes.size() / 3);
    const QString broken = WorkPath(QStringLiteral("broken.zov"));
    WriteFile(broken, bytes);
    EXPECT_THROW(child->OpenFile(broken), std::exception);
    EXPECT_EQ(Dump(child->Graph().Document()), before);
    EXPECT_EQ(child->windowTitle(), caption);
    EXPECT_EQ(child->SaveFileName(), good);
    EXPECT_TRUE(child->Graph().Modified()) << "the next Save must not look like nothing changed";
}

TEST_F(DocumentFileTest, AFailedOpenThroughTheDialogIsReported) {
    const QString broken = WorkPath(QStringLiteral("broken.zov"));
    WriteFile(broken, QByteArray("0.GS\x02\x00\x00\x00", 8));
    modals.Then(ModalAnswers::ChooseFile(broken));
    modals.Then(ModalAnswers::Click(QMessageBox::Ok));
    // Through the event loop, as a user's click would run it.
    QMetaObject::invokeMethod(Act("FileOpen"), &QAction::trigger, Qt::QueuedConnection);
    EXPECT_TRUE(QTest::qWaitFor([this] { return modals.Done(); }));
    EXPECT_EQ(modals.Seen(),
              (QStringList{QStringLiteral("OpenDialog"), QStringLiteral("ErrorBox")}));
    EXPECT_EQ(child->windowTitle(), QStringLiteral("NONAME1.ZOV"));
}

TEST_F(DocumentFileTest, AReadOnlyOpenIsViewOnlyUntilPanThenEditMode) {
    DrawTwoNodes();
    child->Graph().InsertNode({1100, 780, 1190, 850});
    const QString file = WorkPath(QStringLiteral("view.zov"));
    modals.Then(ModalAnswers::ChooseFile(file));
    Act("FileSave")->trigger();

    modals.Then([file](QWidget& modal) {
        auto& dialog = static_cast<QFileDialog&>(modal);
        // Qt's dialog shows filters with white space simplified.
        EXPECT_EQ(dialog.nameFilters(), (QStringList{QStringLiteral("ZOV (*.ZOV)"),
                                                     QStringLiteral("Rarovi Rovoz Files (*.sgp)"),
                                                     QStringLiteral("All Files (*)")}));
        dialog.findChild<QCheckBox*>(QStringLiteral("ReadOnlyCheck"))->setChecked(true);
        dialog.selectFile(file);
        static_cast<QDialog&>(dialog).accept();
    });
    Act("FileOpen")->trigger();
    child->ActionListUpdate();
    EXPECT_EQ(child->PanelText(spCommandMode), QStringLiteral("View Only"));
    EXPECT_FALSE(Act("EditSelectAll")->isEnabled());
    EXPECT_FALSE(Act("ObjectsRectangle")->isEnabled());
    EXPECT_FALSE(Act("ObjectsNone")->isEnabled());
    // The graph is larger than the window, so the view scrolls and Pan is offered.
    ASSERT_TRUE(Act("ViewPan")->isEnabled());
    Act("ViewPan")->trigger();
    child->ActionListUpdate();
    EXPECT_EQ(child->PanelText(spCommandMode), QStringLiteral("Pan Mode"));
    ASSERT_TRUE(Act("ObjectsNone")->isEnabled());
    Act("ObjectsNone")->trigger();
    child->ActionListUpdate();
    EXPECT_EQ(child->PanelText(spCommandMode), QStringLiteral("Editing"));
    EXPECT_TRUE(Act("EditSelectAll")->isEnabled());
}

TEST_F(DocumentFileTest, ExportWritesTheFormatOfTheExtensionOrFilter) {
    DrawTwoNodes();
    struct Case {
        const char* name;
        const char* filter; // nullptr: the default filter
        QByteArray magic;
    };
    const Case cases[] = {
        {"picture.emf", nullptr, QByteArray("\x01\x00\x00\x00", 4)},
        {"picture.png", nullptr, QByteArray("\x89PNG")},
        {"picture.svg", nullptr, QByteArray("<?xm")},
        {"picture.pdf", nullptr, QByteArray("%PDF")},
        {"picture.bmp", nullptr, QByteArray("BM")},
        {"byfilter", "PNG Images (*.png)", QByteArray("\x89PNG")},
    };
    for (const Case& c : cases) {
        const QString path = WorkPath(QLatin1String(c.name));
        const QString filter = c.filter ? QLatin1String(c.filter) : QString();
        modals.Then([path, filter](QWidget& modal) {
            auto& dialog = static_cast<QFileDialog&>(modal);
            if (!filter.isEmpty()) {
                dialog.selectNameFilter(filter);
                emit dialog.filterSelected(filter);
            }
            dialog.selectFile(path);
            static_cast<QDialog&>(dialog).accept();
        });
        Act("FileExport")->trigger();
        const QString written = c.filter ? path + QStringLiteral(".png") : path;
        EXPECT_EQ(Head(written, c.magic.size()), c.magic) << c.name;
    }
}

} // namespace
} // namespace zov::test
