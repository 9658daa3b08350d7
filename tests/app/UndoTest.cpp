// Undo and redo in the document window: every kind of change made through the window
// is one step that undo takes back and redo makes again, exactly; the history follows
// saving, loading and New.
#include "dialogs/ColorBox.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "localization/widgets/RadioGroup.h"
#include "support/DialogSteps.h"
#include "support/EditorFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <random>

namespace zov::test {
namespace {

class UndoTest : public DocumentTest {
protected:
    // Nodes a and b with a link from a to b, and a text node; nothing to undo yet.
    void SetUp() override {
        DocumentTest::SetUp();
        a = graph->InsertNode({100, 100, 180, 160});
        b = graph->InsertNode({300, 100, 380, 160}, &TEllipticNode::Class());
        link = graph->InsertLink(a, b);
        text = graph->InsertNode({100, 300, 260, 380}, &TTextNode::Class());
        line = graph->InsertLink(std::vector<TPoint>{{500, 100}, {600, 150}});
        a->SetText(QStringLiteral("first"));
        graph->SetModified(false);
        graph->History().Clear();
    }

public: // the table's steps drive the window through these
    void Select(std::initializer_list<TGraphObject*> objects) {
        graph->ClearSelection();
        for (TGraphObject* object : objects) {
            object->SetSelected(true);
        }
    }
    // Runs a command through its action as the user would: only when it is enabled.
    bool Trigger(const char* name) {
        child->ActionListUpdate();
        QAction* action = Act(name);
        if (!action->isEnabled()) {
            return false;
        }
        action->trigger();
        return true;
    }
    void Modal(ModalAnswers::TStep step) { modals.Then(std::move(step)); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(graph, key, modifiers);
    }
    std::string Dumped() { return Dump(graph->Document()); }
    TMDIChild& Window() { return *child; }
    void Draw(const char* action, const TRect& bounds) { DrawNode(*child, action, bounds); }
    void DragFrom(TPoint from, TPoint to) { Drag(*child, from, to); }

    TGraphNode* a = nullptr;
    TGraphNode* b = nullptr;
    TGraphLink* link = nullptr;
    TGraphNode* text = nullptr;
    TGraphLink* line = nullptr; // hooked to nothing
};

struct TStepCase {
    const char* Name;
    const char* Caption; // of the Undo action afterwards
    std::function<void(UndoTest&)> Perform;
};

class UndoEveryStep : public UndoTest, public ::testing::WithParamInterface<TStepCase> {};

TEST_P(UndoEveryStep, UndoGivesTheGraphBeforeAndRedoTheGraphAfter) {
    const std::string before = Dumped();
    GetParam().Perform(*this);
    ASSERT_TRUE(modals.Done());
    const std::string after = Dumped();
    ASSERT_NE(after, before) << "the step changed nothing";
    EXPECT_EQ(graph->History().Stack().count(), 1);
    child->ActionListUpdate();
    EXPECT_EQ(Act("EditUndo")->text(), QString::fromUtf8(GetParam().Caption));
    EXPECT_TRUE(graph->Modified());

    ASSERT_TRUE(Trigger("EditUndo"));
    EXPECT_EQ(Dumped(), before);
    EXPECT_FALSE(graph->Modified()) << "back at the saved state";
    child->ActionListUpdate();
    EXPECT_EQ(Act("EditRedo")->text(),
              QString::fromUtf8(GetParam().Caption)
                  .replace(QStringLiteral("Undo"), QStringLiteral("Redo")));
    ASSERT_TRUE(Trigger("EditRedo"));
    EXPECT_EQ(Dumped(), after);
    EXPECT_TRUE(graph->Modified());
}

const TStepCase kStepCases[] = {
    {"DrawNode", "Undo Insert Node",
     [](UndoTest& t) {
         t.Draw("ObjectsHexagon", {500, 300, 560, 360});
     }},
    {"DrawLink", "Undo Insert Link",
     [](UndoTest& t) {
         t.Trigger("ObjectsLink");
         t.DragFrom({140, 130}, {180, 340});
     }},
    {"DragMove", "Undo Move",
     [](UndoTest& t) {
         t.DragFrom({140, 130}, {180, 210});
     }},
    {"DragResize", "Undo Resize",
     [](UndoTest& t) {
         t.Select({t.b});
         t.DragFrom({380, 160}, {420, 200});
     }},
    {"ArrowKeys", "Undo Move",
     [](UndoTest& t) {
         t.Select({t.a, t.b});
         for (int i = 0; i < 3; ++i) {
             t.Key(Qt::Key_Right);
         }
         t.Key(Qt::Key_Down);
     }},
    {"ShiftArrowKeys", "Undo Resize",
     [](UndoTest& t) {
         t.Select({t.a});
         t.Key(Qt::Key_Right, Qt::ShiftModifier);
         t.Key(Qt::Key_Right, Qt::ShiftModifier);
     }},
    {"Delete", "Undo Delete",
     [](UndoTest& t) {
         t.Select({t.a});
         t.Trigger("EditDelete");
     }},
    {"Cut", "Undo Cut",
     [](UndoTest& t) {
         t.Select({t.b, t.text});
         t.Trigger("EditCut");
     }},
    {"Paste", "Undo Paste",
     [](UndoTest& t) {
         t.Select({t.a, t.b, t.link});
         t.Trigger("EditCopy");
         t.Trigger("EditPaste");
     }},
    {"BringToFront", "Undo Bring To Front",
     [](UndoTest& t) {
         t.Select({t.a});
         t.Trigger("EditBringToFront");
     }},
    {"SendToBack", "Undo Send To Back",
     [](UndoTest& t) {
         t.Select({t.text, t.link});
         t.Trigger("EditSendToBack");
     }},
    {"Align", "Undo Edit Align",
     [](UndoTest& t) {
         t.Select({t.b, t.text});
         t.Modal([](QWidget& dialog) {
             Field<TRadioGroup>(dialog, "Horz").SetItemIndex(1);
             Press(dialog, "btnOK");
         });
         t.Trigger("EditAlign");
     }},
    {"Size", "Undo EditSize",
     [](UndoTest& t) {
         t.Select({t.a, t.text});
         t.Modal([](QWidget& dialog) {
             Field<TRadioGroup>(dialog, "Horz").SetItemIndex(2);
             Press(dialog, "btnOK");
         });
         t.Trigger("EditSize");
     }},
    {"LinkReverse", "Undo Reverse Direction",
     [](UndoTest& t) {
         t.Select({t.link});
         t.Trigger("LinkReverse");
     }},
    {"LinkRotate", "Undo Rotate +90°",
     [](UndoTest& t) {
         t.Select({t.line});
         t.Trigger("LinkRotateCW");
     }},
    {"LinkGrow", "Undo Grow (25%)",
     [](UndoTest& t) {
         t.Select({t.line});
         t.Trigger("LinkGrow");
     }},
    {"NodeProperties", "Undo Properties",
     [](UndoTest& t) {
         t.Select({t.a});
         t.Modal([](QWidget& dialog) {
             Field<QPlainTextEdit>(dialog, "NodeText").setPlainText(QStringLiteral("Changed"));
             Press(dialog, "btnOK");
         });
         t.Trigger("EditProperties");
     }},
    {"MultiEdit", "Undo multi Edit",
     [](UndoTest& t) {
         t.Select({t.a, t.b});
         t.Modal([](QWidget& dialog) {
             Press(dialog, "StyleDashDot");
             Press(dialog, "btnOK");
         });
         t.Trigger("MultiEdit");
     }},
    {"TextEditor", "Undo Properties",
     [](UndoTest& t) {
         t.Select({t.text});
         t.Modal([](QWidget& editor) {
             Field<QTextEdit>(editor, "RRE").insertPlainText(QStringLiteral("typed"));
             Press(editor, "btnOK");
         });
         t.Trigger("EditProperties");
     }},
    {"GraphProperties", "Undo Properties",
     [](UndoTest& t) {
         t.Select({});
         t.Modal([](QWidget& dialog) {
             Field<QLineEdit>(dialog, "edInfo2").setText(QStringLiteral("Second line"));
             Press(dialog, "btnOK");
         });
         t.Trigger("EditProperties");
     }},
    {"Bold", "Undo Bold",
     [](UndoTest& t) {
         t.Select({t.a, t.link});
         t.Trigger("FormatBold");
     }},
    {"AlignText", "Undo Align Right",
     [](UndoTest& t) {
         t.Select({t.a});
         t.Trigger("FormatAlignRight");
     }},
    {"FontSize", "Undo Font Size",
     [](UndoTest& t) {
         t.Select({t.a, t.b});
         emit t.Window()
             .findChild<QComboBox*>(QStringLiteral("cbxFontSize"))
             ->textActivated(QStringLiteral("24"));
     }},
    {"LineSize", "Undo Line Size",
     [](UndoTest& t) {
         t.Select({t.link});
         emit t.Window()
             .findChild<QComboBox*>(QStringLiteral("LineSize"))
             ->textActivated(QStringLiteral("5"));
     }},
    {"FillColor", "Undo Background Color",
     [](UndoTest& t) {
         t.Select({t.b});
         auto* box = t.Window().findChild<TColorBox*>(QStringLiteral("NodeBackgroundColor"));
         box->SetSelected(clRed);
         emit box->ColorChanged();
     }},
};

INSTANTIATE_TEST_SUITE_P(Steps, UndoEveryStep, ::testing::ValuesIn(kStepCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(UndoTest, ACancelledDialogIsNoStep) {
    Select({a});
    Modal([](QWidget& dialog) {
        Field<QPlainTextEdit>(dialog, "NodeText").setPlainText(QStringLiteral("Changed"));
        Press(dialog, "btnCancel");
    });
    Trigger("EditProperties");
    EXPECT_EQ(graph->History().Stack().count(), 0);
    EXPECT_FALSE(Trigger("EditUndo"));
}

TEST_F(UndoTest, SavingMarksTheSavedStateAndLoadingOrNewForgetsTheHistory) {
    Select({a});
    Trigger("EditDelete");
    const QString file = WorkPath(QStringLiteral("saved.zov"));
    modals.Then(ModalAnswers::ChooseFile(file));
    Trigger("FileSave");
    ASSERT_FALSE(graph->Modified());
    ASSERT_TRUE(Trigger("EditUndo"));
    EXPECT_TRUE(graph->Modified()) << "the saved graph had no node a";
    ASSERT_TRUE(Trigger("EditRedo"));
    EXPECT_FALSE(graph->Modified());

    ASSERT_TRUE(Trigger("EditUndo"));
    child->OpenFile(file);
    EXPECT_FALSE(Trigger("EditUndo"));
    EXPECT_FALSE(graph->Modified());

    Select({graph->Objects().Items(0)}); // read anew from the file
    Trigger("EditDelete");
    modals.Then(ModalAnswers::Click(QMessageBox::No));
    Trigger("FileNew");
    EXPECT_FALSE(Trigger("EditUndo"));
    EXPECT_FALSE(Trigger("EditRedo"));
}

TEST_F(UndoTest, UndoWaitsWhileADrawnLinkIsUnfinished) {
    Trigger("ObjectsLink");
    const TPoint start = graph->GraphToClient(500, 500);
    QTest::mousePress(graph->viewport(), Qt::LeftButton, {}, QPoint(start.X, start.Y));
    ASSERT_NE(graph->DragSource(), nullptr);
    EXPECT_FALSE(graph->History().CanUndo());
    Key(Qt::Key_Escape);
    QTest::mouseRelease(graph->viewport(), Qt::LeftButton, {}, QPoint(start.X, start.Y));
    EXPECT_FALSE(graph->History().Recording());
}

// A long random session of the window's commands, drags and keys: undone to the start
// it gives the graph it began with, redone the graph it ended with.
TEST_F(UndoTest, TwoHundredRandomStepsUndoToTheStartAndRedoToTheEnd) {
    std::mt19937 random(20261211);
    auto pick = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    auto objectAt = [&](int index) {
        return graph->Objects().Items(index);
    };
    auto selectSome = [&] {
        graph->ClearSelection();
        const int32_t count = graph->ObjectsCount();
        for (int i = 0, n = 1 + pick(3); i < n && count > 0; ++i) {
            objectAt(pick(count))->SetSelected(true);
        }
    };
    auto somewhere = [&] {
        return TPoint{40 + 20 * pick(50), 40 + 20 * pick(35)};
    };
    auto nodeCentre = [&]() -> std::optional<TPoint> {
        for (int tries = 0; tries < 10 && graph->ObjectsCount() > 0; ++tries) {
            if (auto* node = dynamic_cast<TGraphNode*>(objectAt(pick(graph->ObjectsCount())))) {
                const TRect r = node->BoundsRect();
                return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
            }
        }
        return std::nullopt;
    };
    const char* const commands[] = {"EditDelete",  "EditBringToFront", "EditSendToBack",
                                    "FormatBold",  "FormatAlignLeft",  "FormatAlignTop",
                                    "LinkReverse", "LinkRotateCCW",    "LinkShrink",
                                    "EditCut",     "FormatItalic",     "FormatAlignBottom"};
    const char* const shapes[] = {"ObjectsRectangle", "ObjectsEllipse", "ObjectsTriangle",
                                  "ObjectsRhomboid", "ObjectsData"};
    // The graph after each step, by the stack's index, so that a step undone wrongly
    // is named.
    std::vector<std::string> graphs{Dumped()};
    int steps = 0;
    while (steps < 200) {
        const int before = graph->History().Stack().index();
        selectSome();
        switch (pick(8)) {
        case 0: {
            const TPoint at = somewhere();
            DrawNode(*child, shapes[pick(5)],
                     {at.X, at.Y, at.X + 40 + pick(60), at.Y + 30 + pick(40)});
            break;
        }
        case 1:
            if (auto from = nodeCentre(), to = nodeCentre(); from && to) {
                Trigger("ObjectsLink");
                Drag(*child, *from, *to);
                Trigger("ObjectsNone");
            }
            break;
        case 2:
            if (auto from = nodeCentre()) {
                Drag(*child, *from, somewhere());
            }
            break;
        case 3:
            Key(pick(2) == 0 ? Qt::Key_Left : Qt::Key_Down,
                pick(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 4:
            Trigger("EditCopy");
            Trigger("EditPaste");
            break;
        default:
            Trigger(commands[pick(std::size(commands))]);
            break;
        }
        ASSERT_TRUE(modals.Done());
        if (graph->History().Stack().index() != before) {
            ++steps;
        }
        ASSERT_TRUE(graph->History().CanUndo() || graph->History().Stack().count() == 0)
            << "the history was dropped at step " << steps;
        const int index = graph->History().Stack().index();
        ASSERT_EQ(graph->History().Stack().count(), index);
        graphs.resize(static_cast<size_t>(index) + 1);
        graphs.back() = Dumped();
    }
    const std::string end = Dumped();
    ASSERT_NE(end, graphs.front());
    int undone = 0;
    while (Trigger("EditUndo")) {
        ++undone;
        const int index = graph->History().Stack().index();
        ASSERT_EQ(Dumped(), graphs[static_cast<size_t>(index)])
            << "undoing step " << index + 1 << ", "
            << graph->History().Stack().command(index)->text().toStdString();
    }
    EXPECT_EQ(Dumped(), graphs.front());
    EXPECT_FALSE(graph->Modified());
    while (Trigger("EditRedo")) {
        --undone;
    }
    EXPECT_EQ(undone, 0);
    EXPECT_EQ(Dumped(), end);
}

} // namespace
} // namespace zov::test
