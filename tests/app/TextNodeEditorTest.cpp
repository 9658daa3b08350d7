// The text-node editor through the real window: opening, OK and Cancel, the tools,
// the table picker, and a node with a table, a list and a picture saved, reopened
// and exported.
#include "dialogs/ColorBox.h"
#include "dialogs/IndentRuler.h"
#include "dialogs/TableSelect.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/NodeShapes.h"
#include "platform/pictures/Metafile.h"
#include "platform/pictures/Picture.h"
#include "richtext/RtfReader.h"
#include "support/DialogSteps.h"
#include "support/EditorFixture.h"
#include "support/PdfText.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTextTable>

namespace zov::test {
namespace {

QByteArray Content(const TTextNode& node) {
    return node.Payload().Bytes();
}

QString TextOf(const QByteArray& rtf) {
    QTextDocument document;
    ReadRtf(rtf, document);
    return document.toPlainText();
}

QAction& EditorAction(QWidget& editor, const char* name) {
    return Field<QAction>(editor, name);
}

QTextEdit& Text(QWidget& editor) {
    return Field<QTextEdit>(editor, "RRE");
}

class TextNodeEditorTest : public DocumentTest {
protected:
    TTextNode* InsertTextNode(const TRect& bounds, const QByteArray& rtf = {}) {
        auto* node = static_cast<TTextNode*>(graph->InsertNode(bounds, &TTextNode::Class()));
        if (!rtf.isEmpty()) {
            node->Payload().Write(rtf.constData(), rtf.size());
        }
        return node;
    }
    // Opens the editor for the selection with the Properties command and answers it
    // with step, then the windows the step opens with the nested answers.
    void Edit(std::initializer_list<TGraphObject*> selection, ModalAnswers::TStep step,
              std::vector<ModalAnswers::TStep> nested = {}) {
        graph->ClearSelection();
        for (TGraphObject* object : selection) {
            object->SetSelected(true);
        }
        modals.Then(std::move(step));
        for (ModalAnswers::TStep& answer : nested) {
            modals.Then(std::move(answer));
        }
        Act("EditProperties")->trigger();
        ASSERT_TRUE(modals.Done());
    }
};

// ---- Opening and closing -------------------------------------------------------------

TEST_F(TextNodeEditorTest, AnEmptyNodeOpensEmptyAndStoresAnEmptyDocumentAndPicture) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180});
    node->SetText(QStringLiteral("caption"));
    Edit({node}, [](QWidget& editor) {
        EXPECT_EQ(editor.objectName(), QStringLiteral("TextNodeP"));
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Text"));
        EXPECT_TRUE(Text(editor).document()->isEmpty());
        EXPECT_EQ(Field<QAbstractButton>(editor, "btnCancel").text(), QStringLiteral("&Abbruch"));
        Snapshot(editor);
        Press(editor, "btnOK");
    });
    EXPECT_TRUE(node->Text().isEmpty());
    EXPECT_TRUE(Content(*node).startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    EXPECT_TRUE(TextOf(Content(*node)).isEmpty());
    EXPECT_EQ(node->Payload().Position(), 0);
    ASSERT_FALSE(node->Background().IsEmpty());
    EXPECT_TRUE(node->Background().Graphic()->IsMetafile());
    EXPECT_EQ(node->Background().Graphic()->Size(), (TSize{node->Width(), node->Height()}));
    EXPECT_TRUE(graph->Modified());
}

TEST_F(TextNodeEditorTest, CancelKeepsContentAndPictureButClearsTheCaption) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 old text\\par}");
    node->SetText(QStringLiteral("caption"));
    Edit({node}, [](QWidget& editor) {
        EXPECT_EQ(Text(editor).toPlainText(), QStringLiteral("old text"));
        Text(editor).selectAll();
        Text(editor).insertPlainText(QStringLiteral("changed"));
        Press(editor, "btnCancel");
    });
    EXPECT_EQ(Content(*node), "{\\rtf1 old text\\par}");
    EXPECT_TRUE(node->Background().IsEmpty());
    EXPECT_TRUE(node->Text().isEmpty());
}

TEST_F(TextNodeEditorTest, AShorterTextLeavesNoTraceOfTheOldOne) {
    TTextNode* node =
        InsertTextNode({100, 100, 300, 180}, "{\\rtf1 a long text that is replaced entirely\\par}");
    Edit({node}, [](QWidget& editor) {
        Text(editor).selectAll();
        Text(editor).insertPlainText(QStringLiteral("short"));
        Press(editor, "btnOK");
    });
    EXPECT_EQ(TextOf(Content(*node)), QStringLiteral("short"));
    EXPECT_FALSE(Content(*node).contains("replaced"));
}

TEST_F(TextNodeEditorTest, OnlyTheFirstTextNodeIsEdited) {
    TTextNode* first = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 first\\par}");
    TTextNode* second = InsertTextNode({400, 100, 600, 180}, "{\\rtf1 second\\par}");
    second->SetText(QStringLiteral("kept"));
    Edit({first, second}, [](QWidget& editor) {
        EXPECT_EQ(Text(editor).toPlainText(), QStringLiteral("first"));
        Text(editor).moveCursor(QTextCursor::End);
        Text(editor).insertPlainText(QStringLiteral(" edited"));
        Press(editor, "btnOK");
    });
    EXPECT_EQ(TextOf(Content(*first)), QStringLiteral("first edited"));
    EXPECT_EQ(Content(*second), "{\\rtf1 second\\par}");
    EXPECT_TRUE(second->Background().IsEmpty());
    EXPECT_EQ(second->Text(), QStringLiteral("kept"));
}

TEST_F(TextNodeEditorTest, OtherNodesFirstOpenTheNodeDialog) {
    TGraphNode* plain = graph->InsertNode({100, 100, 200, 160});
    TTextNode* text = InsertTextNode({300, 100, 500, 180});
    Edit({plain, text}, ModalAnswers::Cancel());
    EXPECT_EQ(modals.Seen().constLast(), QStringLiteral("NodeProperties"));
}

TEST_F(TextNodeEditorTest, TheWindowFitsTheNodeAndTheScreen) {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const struct {
        TRect bounds;
        QSize expected;
    } cases[] = {
        {{100, 100, 400, 200}, {560, 100 + 175}},       // narrow: the design width
        {{100, 100, 700, 200}, {600 + 10, 100 + 175}},  // wide: the node's width
        {{100, 100, 100 + 50000, 100 + 50000}, screen}, // never beyond the screen
    };
    for (const auto& c : cases) {
        TTextNode* node = InsertTextNode(c.bounds);
        Edit({node}, [&](QWidget& editor) {
            EXPECT_EQ(editor.size(), c.expected.boundedTo(screen));
            Press(editor, "btnCancel");
        });
    }
}

// ---- Tools ---------------------------------------------------------------------------

TEST_F(TextNodeEditorTest, KeysSetBoldUnderlineAndStrikeOut) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 word\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        text.selectAll();
        QTest::keyClick(&text, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(&text, Qt::Key_U, Qt::ControlModifier);
        QTest::keyClick(&text, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(EditorAction(editor, "actBold").isChecked());
        EXPECT_TRUE(EditorAction(editor, "actUnderline").isChecked());
        EXPECT_EQ(text.toPlainText(), QStringLiteral("word")); // the keys typed nothing
        Press(editor, "btnOK");
    });
    QTextDocument document;
    ReadRtf(Content(*node), document);
    const QTextCharFormat format = document.begin().begin().fragment().charFormat();
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_NE(format.underlineStyle(), QTextCharFormat::NoUnderline);
    EXPECT_TRUE(format.fontStrikeOut());
}

TEST_F(TextNodeEditorTest, NumbersAndBulletsToggle) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 item\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        QAction& numbers = EditorAction(editor, "actEINS");
        QAction& bullets = EditorAction(editor, "actNumber");
        const auto style = [&text] {
            const QTextList* list = text.textCursor().currentList();
            return list != nullptr ? list->format().style() : QTextListFormat::ListStyleUndefined;
        };
        numbers.trigger();
        EXPECT_EQ(style(), QTextListFormat::ListDecimal);
        numbers.trigger();
        EXPECT_EQ(style(), QTextListFormat::ListStyleUndefined);
        EXPECT_FALSE(numbers.isChecked());
        bullets.trigger();
        EXPECT_EQ(style(), QTextListFormat::ListDisc);
        numbers.trigger(); // numbers while bullets are on
        EXPECT_EQ(style(), QTextListFormat::ListDecimal);
        EXPECT_FALSE(bullets.isChecked());
        EXPECT_TRUE(numbers.isChecked());
        Press(editor, "btnOK");
    });
    QTextDocument document;
    ReadRtf(Content(*node), document);
    ASSERT_NE(document.begin().textList(), nullptr);
    EXPECT_EQ(document.begin().textList()->format().style(), QTextListFormat::ListDecimal);
}

TEST_F(TextNodeEditorTest, IndentsMoveByFivePointsAndStopAtTheMargin) {
    // \li60 (3 points) for the other lines, first line at the margin.
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1\\pard\\li60\\fi-60 text\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        const auto indents = [&text] {
            return IndentsOf(text.textCursor().blockFormat());
        };
        EXPECT_EQ(indents(), (TParaIndents{0, 3, 0}));
        EditorAction(editor, "actINCLeftIdent").trigger(); // below 5 points: nothing
        EXPECT_EQ(indents(), (TParaIndents{0, 3, 0}));
        EditorAction(editor, "actINCRightIdent").trigger();
        EXPECT_EQ(indents(), (TParaIndents{8, 8, 0}));
        EditorAction(editor, "actINCLeftIdent").trigger();
        EXPECT_EQ(indents(), (TParaIndents{3, 3, 0}));
        Press(editor, "btnCancel");
    });
}

TEST_F(TextNodeEditorTest, AlignmentAndSpacingFollowTheParagraph) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180},
                                     "{\\rtf1\\pard\\qc\\sl360\\slmult1 one\\par\\pard two\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        EXPECT_TRUE(EditorAction(editor, "actAlignCenter").isChecked());
        EXPECT_TRUE(EditorAction(editor, "act15LINE").isChecked());
        text.moveCursor(QTextCursor::End);
        EXPECT_TRUE(EditorAction(editor, "actAlignLeft").isChecked());
        EXPECT_TRUE(EditorAction(editor, "act10LINE").isChecked());
        EditorAction(editor, "actAlignJustify").trigger();
        EditorAction(editor, "act20LINE").trigger();
        EXPECT_TRUE(EditorAction(editor, "actAlignJustify").isChecked());
        EXPECT_FALSE(EditorAction(editor, "actAlignLeft").isChecked());
        EXPECT_TRUE(EditorAction(editor, "act20LINE").isChecked());
        Press(editor, "btnOK");
    });
    QTextDocument document;
    ReadRtf(Content(*node), document);
    const QTextBlockFormat two = document.lastBlock().blockFormat();
    EXPECT_EQ(two.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(two.lineHeight(), 200);
}

TEST_F(TextNodeEditorTest, UndoTakesBackTheLastEdit) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 start\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        EditorAction(editor, "actUndo").trigger(); // the loaded text is no edit
        EXPECT_EQ(text.toPlainText(), QStringLiteral("start"));
        text.moveCursor(QTextCursor::End);
        QTest::keyClicks(&text, QStringLiteral("ed"));
        EditorAction(editor, "actUndo").trigger();
        EXPECT_EQ(text.toPlainText(), QStringLiteral("start"));
        Press(editor, "btnCancel");
    });
}

TEST_F(TextNodeEditorTest, FontToolsApplyToTheSelection) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 plain word\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        QTextCursor cursor = text.textCursor();
        cursor.setPosition(6);
        cursor.setPosition(10, QTextCursor::KeepAnchor);
        text.setTextCursor(cursor);
        Field<QSpinBox>(editor, "FontSize").setValue(20);
        auto& color = Field<TColorBox>(editor, "FontColor");
        color.setCurrentIndex(color.findText(QStringLiteral("Red")));
        emit color.activated(color.currentIndex());
        EXPECT_EQ(Field<QSpinBox>(editor, "FontSize").value(), 20);
        Press(editor, "btnOK");
    });
    QTextDocument document;
    ReadRtf(Content(*node), document);
    QTextCursor at(&document);
    at.setPosition(8);
    EXPECT_EQ(at.charFormat().fontPointSize(), 20);
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::red));
    at.setPosition(3);
    EXPECT_NE(at.charFormat().fontPointSize(), 20);
}

TEST_F(TextNodeEditorTest, FindSelectsTheNextOccurrenceAndWrapsRound) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 one two one\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        EditorAction(editor, "actFind").trigger();
        auto* find = editor.findChild<QDialog*>(QStringLiteral("FindDialog"));
        ASSERT_NE(find, nullptr);
        EXPECT_TRUE(find->isVisible());
        EXPECT_TRUE(Field<QLineEdit>(*find, "FindText").text().isEmpty());
        Field<QLineEdit>(*find, "FindText").setText(QStringLiteral("one"));
        Press(*find, "FindNext");
        EXPECT_EQ(text.textCursor().selectionStart(), 0);
        Press(*find, "FindNext");
        EXPECT_EQ(text.textCursor().selectionStart(), 8);
        Press(*find, "FindNext"); // round to the start
        EXPECT_EQ(text.textCursor().selectionStart(), 0);
        EXPECT_EQ(text.textCursor().selectedText(), QStringLiteral("one"));
        Press(editor, "btnCancel");
    });
}

TEST_F(TextNodeEditorTest, DraggingTheRulerMarkersSetsTheIndents) {
    TTextNode* node = InsertTextNode({100, 100, 300, 180}, "{\\rtf1 text\\par}");
    Edit({node}, [](QWidget& editor) {
        QTextEdit& text = Text(editor);
        auto& ruler = Field<TIndentRuler>(editor, "Ruler");
        const auto drag = [&ruler](TRulerMarker marker, int by) {
            const QPoint grip(ruler.MarkerLeft(marker) + TIndentRuler::kMarkerWidth / 2,
                              marker == rmFirstIndent ? 4 : TIndentRuler::kHeight - 4);
            QTest::mousePress(&ruler, Qt::LeftButton, {}, grip);
            QTest::mouseMove(&ruler, grip + QPoint(by, 0));
            QTest::mouseRelease(&ruler, Qt::LeftButton, {}, grip + QPoint(by, 0));
        };
        drag(rmLeftIndent, 40); // 30 points further right
        EXPECT_EQ(IndentsOf(text.textCursor().blockFormat()), (TParaIndents{0, 30, 0}));
        drag(rmFirstIndent, 20); // the first line moves, the others stay
        EXPECT_EQ(IndentsOf(text.textCursor().blockFormat()), (TParaIndents{15, 15, 0}));
        drag(rmRightIndent, -40);
        EXPECT_EQ(IndentsOf(text.textCursor().blockFormat()).right, 30);
        // Markers dropped where they are keep the indents.
        drag(rmLeftIndent, 0);
        EXPECT_EQ(IndentsOf(text.textCursor().blockFormat()), (TParaIndents{15, 15, 30}));
        Press(editor, "btnCancel");
    });
}

// ---- The table picker ----------------------------------------------------------------

TEST(TableSelectTest, MovesOntoTheScreenNearItsEdges) {
    TWPTableSelect picker;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    picker.PlaceAt(area.bottomRight() - QPoint(10, 10));
    EXPECT_EQ(picker.geometry().right(), area.right());
    EXPECT_EQ(picker.geometry().bottom(), area.bottom());
    picker.PlaceAt(area.topLeft() + QPoint(20, 30));
    EXPECT_EQ(picker.pos(), area.topLeft() + QPoint(20, 30));
}

TEST(TableSelectTest, PressAndReleaseChooseTheSizeUnderThePointer) {
    TWPTableSelect picker;
    picker.show();
    QWidget* grid = picker.findChild<QWidget*>(QStringLiteral("PaintBox1"));
    ASSERT_NE(grid, nullptr);
    const int h = picker.CellSide();
    const struct {
        QPoint at;
        TTableSize size;
    } cases[] = {
        {{h * 3 - 2, h * 2 - 2}, {3, 2}},
        {{h * 3 - h / 2 + 1, h * 2 + h / 2 - 1}, {3, 2}}, // snaps to the nearest line
        {{1, 1}, {1, 1}},                                 // the top-left corner: 1 x 1
    };
    for (const auto& c : cases) {
        picker.show();
        picker.setResult(-1);
        QTest::mouseClick(grid, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(picker.result(), QDialog::Accepted);
        EXPECT_EQ(picker.Size(), c.size) << c.at.x() << "," << c.at.y();
    }
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("StatusText"))->text(),
              QStringLiteral("1 X1"));
}

TEST(TableSelectTest, DraggingGrowsThePickerAndWaitsForTheNextClick) {
    TWPTableSelect picker;
    picker.show();
    QWidget* grid = picker.findChild<QWidget*>(QStringLiteral("PaintBox1"));
    const int h = picker.CellSide();
    const int startWidth = picker.width();
    QTest::mousePress(grid, Qt::LeftButton, {}, QPoint(h, h));
    for (int column = 2; column <= 20; ++column) {
        QTest::mouseMove(grid, QPoint(column * h, 3 * h));
    }
    QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(20 * h, 3 * h));
    EXPECT_TRUE(picker.isVisible()); // a drag does not close
    EXPECT_GT(picker.width(), startWidth);
    EXPECT_EQ(picker.Size(), (TTableSize{20, 3}));
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("StatusText"))->text(),
              QStringLiteral("20 X3"));
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(20 * h, 3 * h));
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.Size(), (TTableSize{20, 3}));
}

TEST(TableSelectTest, KeysAndTheCloseButton) {
    {
        TWPTableSelect picker;
        picker.show();
        QTest::keyClick(&picker, Qt::Key_Escape);
        EXPECT_EQ(picker.result(), QDialog::Rejected);
    }
    {
        TWPTableSelect picker;
        picker.show();
        QTest::keyClick(&picker, Qt::Key_Return);
        EXPECT_EQ(picker.result(), QDialog::Accepted);
        EXPECT_EQ(picker.Size(), (TTableSize{1, 1}));
    }
    {
        TWPTableSelect picker;
        picker.show();
        Press(picker, "Button1");
        EXPECT_EQ(picker.result(), QDialog::Rejected);
    }
    EXPECT_EQ(SelectTableSize(nullptr, nullptr, nullptr), TTableSize{});
}

// ---- A node with a table, a list and a picture -----------------------------------------

// Answers the table picker with a click on the cell of columns x rows.
ModalAnswers::TStep PickTable(int columns, int rows) {
    return [columns, rows](QWidget& modal) {
        auto* picker = qobject_cast<TWPTableSelect*>(&modal);
        ASSERT_NE(picker, nullptr) << modal.objectName().toStdString();
        const int h = picker->CellSide();
        QTest::mouseClick(picker->findChild<QWidget*>(QStringLiteral("PaintBox1")), Qt::LeftButton,
                          {}, QPoint(columns * h - 2, rows * h - 2));
    };
}

TEST_F(TextNodeEditorTest, ATableAListAndAPictureAreSavedReopenedAndExported) {
    const QString picture = WorkPath(QStringLiteral("stripes.png"));
    QImage stripes(24, 12, QImage::Format_RGB32);
    stripes.fill(Qt::red);
    for (int y = 0; y < 12; ++y) {
        for (int x = 12; x < 24; ++x) {
            stripes.setPixel(x, y, qRgb(0, 0, 255));
        }
    }
    ASSERT_TRUE(stripes.save(picture));
    TTextNode* node = InsertTextNode({100, 100, 500, 400});
    Edit({node},
         [](QWidget& editor) {
             QTextEdit& text = Text(editor);
             QTest::keyClicks(&text, QStringLiteral("Heading words"));
             QTest::keyClick(&text, Qt::Key_Return);
             EditorAction(editor, "actNumber").trigger();
             QTest::keyClicks(&text, QStringLiteral("bulleted item"));
             QTest::keyClick(&text, Qt::Key_Return);
             EditorAction(editor, "actNumber").trigger();
             EditorAction(editor, "actINSBMP").trigger(); // answered by the file step
             QTest::keyClick(&text, Qt::Key_Return);
             EditorAction(editor, "actTable").trigger(); // answered by the picker step
             QTextTable* table = text.textCursor().currentTable();
             if (table == nullptr) {
                 table =
                     text.textCursor().document()->rootFrame()->childFrames().isEmpty()
                         ? nullptr
                         : qobject_cast<QTextTable*>(
                               text.textCursor().document()->rootFrame()->childFrames().front());
             }
             ASSERT_NE(table, nullptr);
             EXPECT_EQ(table->rows(), 2);
             EXPECT_EQ(table->columns(), 3);
             table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("cellword"));
             Snapshot(editor);
             Press(editor, "btnOK");
         },
         {ModalAnswers::ChooseFile(picture), PickTable(3, 2)});

    const QByteArray content = Content(*node);
    const QString path = WorkPath(QStringLiteral("text.zov"));
    graph->Document().SaveToFile(path);
    TGraphDocument reopened;
    reopened.LoadFromFile(path);
    auto* again = dynamic_cast<TTextNode*>(reopened.Objects().Items(0));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Content(*again), content);
    ASSERT_FALSE(again->Background().IsEmpty());
    EXPECT_EQ(again->Background().Graphic()->Bytes(), node->Background().Graphic()->Bytes());

    // What the content holds, read back.
    QTextDocument document;
    ReadRtf(content, document);
    const QString plain = document.toPlainText();
    for (const char* word : {"Heading words", "bulleted item", "cellword"}) {
        EXPECT_TRUE(plain.contains(QLatin1String(word))) << word;
    }
    EXPECT_EQ(document.findBlockByNumber(1).textList()->format().style(),
              QTextListFormat::ListDisc);

    // The graph shows the picture of the text: red and blue from the picture, dark text.
    const QImage shown = graph->grab().toImage();
    SaveTestImage(shown, QStringLiteral("text-node-in-graph"));

    // The exported PDF keeps the words as text (kept in the test output to look at).
    const QString pdf = QStringLiteral(ZOV_TEST_OUTPUT "/text-node.pdf");
    reopened.SaveAsPdf(pdf);
    const QString words = PdfText(pdf);
    if (words.isNull()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    for (const char* word : {"Heading", "bulleted", "cellword"}) {
        EXPECT_TRUE(words.contains(QLatin1String(word))) << word << " in " << words.toStdString();
    }
}

} // namespace
} // namespace zov::test
