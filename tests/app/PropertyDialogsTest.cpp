#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "graph/model/NodeShapes.h"
#include "localization/widgets/RadioGroup.h"
#include "support/DialogSteps.h"
#include "support/EditorFixture.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <array>

namespace zov::test {
namespace {

class PropertyDialogsTest : public DocumentTest {
protected:
    // Opens the Properties command's dialog and answers it with step, then the windows
    // the step opens with the nested answers.
    void Properties(ModalAnswers::TStep step, std::vector<ModalAnswers::TStep> nested = {}) {
        modals.Then(std::move(step));
        for (ModalAnswers::TStep& answer : nested) {
            modals.Then(std::move(answer));
        }
        Act("EditProperties")->trigger();
        ASSERT_TRUE(modals.Done());
    }
    void Select(std::initializer_list<TGraphObject*> objects) {
        graph->ClearSelection();
        for (TGraphObject* object : objects) {
            object->SetSelected(true);
        }
    }
    std::string Dumped() { return Dump(graph->Document()); }
    QString WritePicture(const char* name, const QByteArray& bytes) const {
        const QString path = WorkPath(QLatin1String(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    static QByteArray Png() {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::green);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
};

// ---- Choice of the dialog ---------------------------------------------------------------

TEST_F(PropertyDialogsTest, TheSelectionChoosesTheDialog) {
    TGraphNode* node = graph->InsertNode({10, 10, 90, 60});
    TGraphNode* other = graph->InsertNode({200, 10, 290, 60});
    TGraphLink* link = graph->InsertLink(std::vector<TPoint>{{10, 200}, {100, 200}});
    graph->SetModified(false);
    const struct {
        std::initializer_list<TGraphObject*> selection;
        const char* dialog;
    } cases[] = {
        {{}, "DesignerProperties"},         {{link}, "LinkProperties"},
        {{link, node}, "ObjectProperties"}, {{node, link}, "ObjectProperties"},
        {{node, other}, "NodeProperties"},
    };
    for (const auto& c : cases) {
        Select(c.selection);
        Properties([](QWidget& dialog) {
            Snapshot(dialog);
            Press(dialog, "btnCancel");
        });
        EXPECT_EQ(modals.Seen().constLast(), QLatin1String(c.dialog));
    }
    EXPECT_FALSE(graph->Modified());
}

TEST_F(PropertyDialogsTest, ADoubleClickOnANodeOpensItsDialogAndLeavesNoDragBehind) {
    TGraphNode* node = graph->InsertNode({100, 100, 200, 160});
    const TPoint client = graph->GraphToClient(150, 130);
    modals.Then(ModalAnswers::Cancel());
    // What the window system delivers: a click, then a double click and its release.
    const QPoint at(client.X, client.Y);
    QTest::mouseClick(graph->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, graph->viewport()->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(graph->viewport(), &doubleClick);
    QTest::mouseRelease(graph->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(modals.Seen(), QStringList{QStringLiteral("NodeProperties")});
    EXPECT_EQ(graph->DragSource(), nullptr);
    QMouseEvent move(QEvent::MouseMove, QPointF(client.X + 50, client.Y + 40), QPointF(),
                     Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(graph->viewport(), &move);
    EXPECT_EQ(node->Left(), 100);
    EXPECT_EQ(node->Top(), 100);
}

// ---- Nodes ------------------------------------------------------------------------------

TEST_F(PropertyDialogsTest, AnUntouchedNodeDialogGivesEveryNodeTheFirstNodesValues) {
    TGraphNode* first = graph->InsertNode({10, 10, 110, 70});
    TGraphNode* second = graph->InsertNode({200, 10, 260, 50}, &TEllipticNode::Class());
    first->SetText(QStringLiteral("Alpha\r\nBeta"));
    first->Brush().SetColor(clRed);
    first->Brush().SetStyle(bsCross);
    first->Pen().SetColor(clBlue);
    first->Pen().SetStyle(psDash);
    first->Font().SetName(QStringLiteral("Courier New"));
    first->Font().SetSize(14);
    first->SetMargin(150); // beyond the field's range, as the tool bar allows
    first->SetAlignment(taLeftJustify);
    first->SetLayout(tlBottom);
    first->SetOptions({goLinkable, goSelectable});
    first->SetNodeOptions({gnoMovable});
    first->SetBackgroundMargins({1, 2, 3, 4});
    Select({first, second});
    Properties([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Node Propertys"));
        EXPECT_EQ(Field<TRadioGroup>(dialog, "NodeShape").ItemIndex(), -1);
        Snapshot(dialog);
        Press(dialog, "btnOK");
    });
    EXPECT_EQ(&second->ClassType(), &TEllipticNode::Class()); // no shape chosen
    for (const TGraphNode* node : {first, second}) {
        EXPECT_EQ(node->Text(), QStringLiteral("Alpha\r\nBeta"));
        EXPECT_EQ(node->Brush().Color(), clRed);
        EXPECT_EQ(node->Brush().Style(), bsCross);
        EXPECT_EQ(node->Pen().Color(), clBlue);
        EXPECT_EQ(node->Pen().Style(), psDash);
        EXPECT_TRUE(node->Font().SameAs(first->Font()));
        EXPECT_EQ(node->Font().Size(), 14);
        EXPECT_EQ(node->Margin(), 150);
        EXPECT_EQ(node->Alignment(), taLeftJustify);
        EXPECT_EQ(node->Layout(), tlBottom);
        EXPECT_EQ(node->Options(), (TGraphObjectOptions{goLinkable, goSelectable}));
        EXPECT_EQ(node->NodeOptions(), TGraphNodeOptions{gnoMovable});
        EXPECT_EQ(node->BackgroundMargins(), (TRect{1, 2, 3, 4}));
    }
    EXPECT_EQ(second->Left(), 200); // the bounds are no property of the dialog
}

TEST_F(PropertyDialogsTest, OneNodeShowsItsShapeAndCanBecomeATextNode) {
    TGraphNode* node = graph->InsertNode({10, 10, 110, 70}, &TEllipticNode::Class());
    const uint32_t id = node->ID();
    Select({node});
    Properties([](QWidget& dialog) {
        auto& shapes = Field<TRadioGroup>(dialog, "NodeShape");
        EXPECT_EQ(shapes.Items(), QStringList({"Rectangular", "Round Rectangular", "Elliptic",
                                               "Triangular", "Rhomboidal", "Pentagonal",
                                               "Hexagonal", "Data", "Text", "Parallelogram"}));
        EXPECT_EQ(shapes.ItemIndex(), 2);
        shapes.SetItemIndex(8);
        Press(dialog, "btnOK");
    });
    TGraphObject* converted = graph->FindObjectByID(id);
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(&converted->ClassType(), &TTextNode::Class());
    EXPECT_TRUE(converted->Selected());
    EXPECT_EQ(graph->ObjectsCount(), 1);
}

TEST_F(PropertyDialogsTest, CancelLeavesTheNodesAlone) {
    TGraphNode* node = graph->InsertNode({10, 10, 110, 70});
    node->SetText(QStringLiteral("Kept"));
    graph->SetModified(false);
    Select({node});
    const std::string before = Dumped();
    Properties([](QWidget& dialog) {
        Field<QPlainTextEdit>(dialog, "NodeText").setPlainText(QStringLiteral("Changed"));
        Field<QComboBox>(dialog, "FillStyle").setCurrentIndex(bsClear);
        Press(dialog, "btnClearBackground");
        Press(dialog, "btnCancel");
    });
    EXPECT_EQ(Dumped(), before);
    EXPECT_FALSE(graph->Modified());
}

TEST_F(PropertyDialogsTest, TheLastOfChangeAndClearDecidesTheBackground) {
    const QString picture = WritePicture("picture.png", Png());
    TGraphNode* node = graph->InsertNode({10, 10, 110, 70});
    Select({node});

    Properties(
        [](QWidget& dialog) {
            Press(dialog, "btnClearBackground");
            Press(dialog, "btnChangBkgnd");
            Press(dialog, "btnOK");
        },
        {ModalAnswers::ChooseFile(picture)});
    ASSERT_FALSE(node->Background().IsEmpty());
    EXPECT_EQ(node->Background().Graphic()->ClassName(), QStringLiteral("TPngImage"));
    EXPECT_EQ(node->Background().Graphic()->Bytes(), Png());

    Properties(
        [](QWidget& dialog) {
            Press(dialog, "btnChangBkgnd");
            Press(dialog, "btnClearBackground");
            Press(dialog, "btnOK");
        },
        {ModalAnswers::ChooseFile(picture)});
    EXPECT_TRUE(node->Background().IsEmpty());
}

TEST_F(PropertyDialogsTest, APictureThatCannotBeReadIsReportedAndChangesNothing) {
    const QString junk = WritePicture("junk.png", "no picture here");
    TGraphNode* node = graph->InsertNode({10, 10, 110, 70});
    node->SetText(QStringLiteral("Before"));
    Select({node});
    Properties(
        [](QWidget& dialog) {
            Press(dialog, "btnChangBkgnd");
            Field<QPlainTextEdit>(dialog, "NodeText").setPlainText(QStringLiteral("After"));
            Press(dialog, "btnOK");
        },
        {ModalAnswers::ChooseFile(junk), [](QWidget& box) {
             EXPECT_EQ(box.objectName(), QStringLiteral("PictureError"));
             auto& message = static_cast<QMessageBox&>(box);
             EXPECT_TRUE(message.text().contains(QStringLiteral("junk.png")));
             message.button(QMessageBox::Ok)->click();
         }});
    EXPECT_TRUE(node->Background().IsEmpty());
    EXPECT_EQ(node->Text(), QStringLiteral("After")); // the dialog's other fields still count
}

TEST_F(PropertyDialogsTest, MarginsReachTheNodesOnlyWithTheNodeDialogsOk) {
    TGraphNode* node = graph->InsertNode({10, 10, 110, 70});
    node->SetBackgroundMargins({5, 5, 5, 5});
    Select({node});
    const auto margins = [](std::array<int, 4> values) {
        return [values](QWidget& dialog) {
            EXPECT_EQ(dialog.objectName(), QStringLiteral("MarginDialog"));
            const char* names[] = {"mLeft", "mTop", "mRight", "mBottom"};
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(Field<QSpinBox>(dialog, names[i]).value(), 5);
                Field<QSpinBox>(dialog, names[i]).setValue(values[static_cast<size_t>(i)]);
            }
            Snapshot(dialog);
            Press(dialog, "btnOK");
        };
    };
    for (const char* button : {"btnCancel", "btnOK"}) {
        Properties(
            [button](QWidget& dialog) {
                Press(dialog, "btnBackgroundMargins");
                Press(dialog, button);
            },
            {margins({10, 20, 30, 40})});
        if (QLatin1String(button) == QLatin1String("btnCancel")) {
            EXPECT_EQ(node->BackgroundMargins(), (TRect{5, 5, 5, 5}));
            node->SetBackgroundMargins({5, 5, 5, 5});
        }
    }
    EXPECT_EQ(node->BackgroundMargins(), (TRect{10, 20, 30, 40}));
}

// ---- Links and mixed selections ---------------------------------------------------------------

TEST_F(PropertyDialogsTest, AnUntouchedLinkDialogKeepsLabelStyleAndWidth) {
    TGraphLink* first = graph->InsertLink(std::vector<TPoint>{{10, 10}, {100, 10}});
    TGraphLink* second = graph->InsertLink(std::vector<TPoint>{{10, 100}, {100, 100}});
    first->SetText(QStringLiteral("Label"));
    first->Pen().SetStyle(psDashDot);
    first->Pen().SetWidth(60);
    first->SetTextPosition(-1);
    first->SetEndStyle(lsDiamond);
    first->SetEndSize(7);
    first->SetLinkOptions({gloFixedEndPoint});
    Select({first, second});
    for (int time = 0; time < 2; ++time) {
        Properties([](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Link Propertys"));
            for (const char* radio : {"StyleSolid", "StyleDash", "StyleDot"}) {
                EXPECT_FALSE(Field<QRadioButton>(dialog, radio).isChecked()) << radio;
            }
            Snapshot(dialog);
            Press(dialog, "btnOK");
        });
    }
    for (const TGraphLink* link : {first, second}) {
        EXPECT_EQ(link->Text(), QStringLiteral("Label")); // no blanks added on each OK
        EXPECT_EQ(link->Pen().Width(), 60);
        EXPECT_EQ(link->EndStyle(), lsDiamond);
        EXPECT_EQ(link->EndSize(), 7);
        EXPECT_EQ(link->LinkOptions(), TGraphLinkOptions{gloFixedEndPoint});
    }
    // No line style chosen: each link keeps its own.
    EXPECT_EQ(first->Pen().Style(), psDashDot);
    EXPECT_EQ(second->Pen().Style(), psSolid);

    Properties([](QWidget& dialog) {
        Field<QRadioButton>(dialog, "StyleDot").setChecked(true);
        Field<QComboBox>(dialog, "LineBeginStyle").setCurrentIndex(lsCircle);
        Field<QSpinBox>(dialog, "LineBeginSize").setValue(5);
        Field<QLineEdit>(dialog, "LinkLabel").setText(QStringLiteral("New"));
        Press(dialog, "btnOK");
    });
    for (const TGraphLink* link : {first, second}) {
        EXPECT_EQ(link->Pen().Style(), psDot);
        EXPECT_EQ(link->BeginStyle(), lsCircle);
        EXPECT_EQ(link->BeginSize(), 5);
        EXPECT_EQ(link->Text(), QStringLiteral("New"));
    }
}

TEST_F(PropertyDialogsTest, TheSharedDialogWritesCaptionColoursAndOptionsToAll) {
    TGraphNode* node = graph->InsertNode({10, 10, 110, 70});
    TGraphLink* link = graph->InsertLink(std::vector<TPoint>{{10, 200}, {100, 200}});
    node->Pen().SetColor(clGreen);
    Select({node, link});
    Properties([](QWidget& dialog) {
        Field<QPlainTextEdit>(dialog, "ObjectText").setPlainText(QStringLiteral("One\nTwo"));
        Field<QListWidget>(dialog, "PublicOptions").item(0)->setCheckState(Qt::Unchecked);
        Press(dialog, "btnOK");
    });
    for (const TGraphObject* object : std::initializer_list<TGraphObject*>{node, link}) {
        EXPECT_EQ(object->Text(), QStringLiteral("One\r\nTwo"));
        EXPECT_EQ(object->Pen().Color(), clGreen);
        EXPECT_FALSE(object->Options().Contains(goLinkable));
        EXPECT_TRUE(object->Options().Contains(goSelectable));
    }
}

// ---- The graph ----------------------------------------------------------------------------

TEST_F(PropertyDialogsTest, GridAndColoursLeaveTheGraphUnmodifiedInformationLinesMarkIt) {
    graph->SetModified(false);
    Properties([](QWidget& dialog) {
        EXPECT_EQ(Field<QSpinBox>(dialog, "GridSize").minimum(), 4);
        EXPECT_EQ(Field<QSpinBox>(dialog, "GridSize").maximum(), 128);
        Field<QSpinBox>(dialog, "GridSize").setValue(16);
        Field<QCheckBox>(dialog, "ShowGrid").setChecked(true);
        Snapshot(dialog);
        Press(dialog, "btnOK");
    });
    EXPECT_EQ(graph->GridSize(), 16);
    EXPECT_TRUE(graph->ShowGrid());
    EXPECT_FALSE(graph->Modified());

    // 60 characters, two of them outside windows-1252.
    const QString line = QStringLiteral("Projekt \u20AC \u03A9 ") + QString(48, QLatin1Char('x'));
    Properties([&line](QWidget& dialog) {
        auto& edit = Field<QLineEdit>(dialog, "edInfo2");
        edit.setText(line);
        EXPECT_EQ(edit.text().size(), 50);
        Press(dialog, "btnOK");
    });
    EXPECT_EQ(graph->Info(1), QStringLiteral("Projekt \u20AC ? ") + QString(38, QLatin1Char('x')));
    EXPECT_TRUE(graph->Modified());
}

} // namespace
} // namespace zov::test
