#include "TextNodeEditor.h"

#include "DialogFields.h"
#include "FindDialog.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/NodeShapes.h"
#include "platform/pictures/Picture.h"
#include "platform/types/Exceptions.h"
#include "platform/types/UpdateBracket.h"
#include "richtext/RtfBuilders.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "ui_TextNodeEditor.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTextDocument>
#include <QTextList>

namespace zov {
namespace {

// The window's height beyond the node's: tool bars, ruler and buttons.
constexpr int kExtraHeight = 175;
// Nodes wider than this widen the window, so lines break in the editor where they
// do in the node.
constexpr int kDesignTextWidth = 470;
constexpr int kExtraWidth = 10;

// The editor's actions, in the order of the tool bars; "|" starts tool bar 2.
struct TActionRow {
    const char* name;
    const char* caption;
    const char* icon;
    bool checkable;
    void (TTextNodeP::*handler)();
};

} // namespace

TTextNodeP::TTextNodeP(QWidget* parent) : QDialog(parent), fUi(std::make_unique<Ui::TTextNodeP>()) {
    fUi->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25); // 11 pixels
    fUi->RRE->document()->setDefaultFont(font);
    fUi->RRE->installEventFilter(this);
    CreateActions();
    ArrangeToolBars();
    ConnectTools();
    InitCaption();
}

TTextNodeP::~TTextNodeP() = default;

void TTextNodeP::InitCaption() {
    setWindowTitle(QStringLiteral("Text"));
}

bool TTextNodeP::Execute(const TGraphObjectList& nodes, QWidget* owner) {
    if (nodes.Count() == 0) {
        return false;
    }
    auto* node = dynamic_cast<TTextNode*>(nodes.Items(0));
    if (node == nullptr) {
        return false;
    }
    node->SetText(QString()); // the content is the rich text alone, whatever the answer
    TTextNodeP editor(owner);
    editor.Load(*node);
    if (editor.exec() != QDialog::Accepted) {
        return false;
    }
    editor.ApplyToNodes();
    return true;
}

void TTextNodeP::Load(TTextNode& node) {
    fNode = &node;
    QTextDocument& document = *fUi->RRE->document();
    const TMemoryStream& content = node.Payload();
    if (content.Size() > 0) {
        ReadRtf(content.Bytes(), document);
        document.clearUndoRedoStacks();
        fUi->RRE->moveCursor(QTextCursor::Start);
    }
    node.Payload().SetPosition(0);
    QSize size(width(), static_cast<int>(std::min<int64_t>(int64_t{node.Height()} + kExtraHeight,
                                                           QWIDGETSIZE_MAX)));
    if (node.Width() > kDesignTextWidth) {
        size.setWidth(static_cast<int>(
            std::min<int64_t>(int64_t{node.Width()} + kExtraWidth, QWIDGETSIZE_MAX)));
    }
    // Never beyond the screen, however large the node.
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    resize(size.boundedTo(screen->availableGeometry().size()));
}

bool TTextNodeP::ApplyToNodes() {
    if (fNode == nullptr) {
        return false;
    }
    TTextNode& node = *fNode;
    const QTextDocument& document = *fUi->RRE->document();
    bool drawn = true;
    QString failure;
    WithUpdate(DocumentOf(node), [&] {
        const QByteArray rtf = WriteRtf(document);
        TMemoryStream& content = node.Payload();
        content.Clear();
        content.Write(rtf.constData(), rtf.size());
        content.SetPosition(0);
        try {
            const QByteArray metafile =
                RenderToMetafile(document, QSize(node.Width(), node.Height()));
            TPicture picture;
            picture.SetGraphic(QStringLiteral("TMetafile"), metafile);
            node.SetBackground(picture);
        } catch (const Exception& e) {
            drawn = false;
            failure = e.Message();
        } catch (const std::bad_alloc&) {
            drawn = false;
            failure = QStringLiteral("Not enough memory.");
        }
    });
    if (!drawn) {
        QMessageBox::warning(parentWidget(), windowTitle(),
                             QStringLiteral("The text was stored, but its picture could not be "
                                            "drawn: %1")
                                 .arg(failure));
    }
    return drawn;
}

QAction* TTextNodeP::Action(const char* name) const {
    return fActions.value(QString::fromLatin1(name));
}

void TTextNodeP::CreateActions() {
    static const TActionRow kRows[] = {
        {"actFind", "Suche", "find", false, &TTextNodeP::Find},
        {"actUndo", "Undo", "undo", false, &TTextNodeP::Undo},
        {"actBold", "Fett", "bold", true, &TTextNodeP::ToggleBold},
        {"actItalic", "Kursiv", "italic", true, &TTextNodeP::ToggleItalic},
        {"actUnderline", "Unterstrichen", "underline", true, &TTextNodeP::ToggleUnderline},
        {"actAlignLeft", "Links", "align-left", true, nullptr},
        {"actAlignCenter", "Zentriert", "align-center", true, nullptr},
        {"actAlignRight", "Rechts", "align-right", true, nullptr},
        {"actAlignJustify", "Block", "align-justify", true, nullptr},
        {"actTable", "actTable", "table", false, &TTextNodeP::InsertTable},
        {"actNumber", "Nummerrieren", "bullets", true, nullptr},
        {"actEINS", "Nummern", "numbers", true, nullptr},
        {"actINCLeftIdent", "nach links Einrücken", "indent-less", false, &TTextNodeP::IndentLeft},
        {"actINCRightIdent", "nach Rechts einrücken", "indent-more", false,
         &TTextNodeP::IndentRight},
        {"act10LINE", "Einzeilig", "spacing-1", true, nullptr},
        {"act15LINE", "1,5 Zeilig", "spacing-15", true, nullptr},
        {"act20LINE", "2 Zeilig", "spacing-2", true, nullptr},
        {"actINSBMP", "INS BMP", "picture", false, &TTextNodeP::InsertPicture},
    };
    for (const TActionRow& row : kRows) {
        auto* action = new QAction(
            QIcon(QStringLiteral(":/text-editor/text-%1.svg").arg(QLatin1String(row.icon))),
            QString::fromUtf8(row.caption), this);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setCheckable(row.checkable);
        if (row.handler != nullptr) {
            connect(action, &QAction::triggered, this, row.handler);
        }
        fActions.insert(action->objectName(), action);
    }
    const struct {
        const char* name;
        Qt::Alignment alignment;
    } alignments[] = {{"actAlignLeft", Qt::AlignLeft},
                      {"actAlignCenter", Qt::AlignHCenter},
                      {"actAlignRight", Qt::AlignRight},
                      {"actAlignJustify", Qt::AlignJustify}};
    for (const auto& a : alignments) {
        connect(Action(a.name), &QAction::triggered, this,
                [this, alignment = a.alignment] { SetAlignment(alignment); });
    }
    const struct {
        const char* name;
        int percent;
    } spacings[] = {{"act10LINE", 100}, {"act15LINE", 150}, {"act20LINE", 200}};
    for (const auto& s : spacings) {
        connect(Action(s.name), &QAction::triggered, this,
                [this, percent = s.percent] { SetLineSpacing(percent); });
    }
    connect(Action("actNumber"), &QAction::triggered, this,
            [this] { ToggleList(Action("actNumber"), QTextListFormat::ListDisc); });
    connect(Action("actEINS"), &QAction::triggered, this,
            [this] { ToggleList(Action("actEINS"), QTextListFormat::ListDecimal); });
}

void TTextNodeP::ArrangeToolBars() {
    QToolBar* first = fUi->ToolBar1;
    first->addAction(Action("actFind"));
    first->addAction(Action("actUndo"));
    first->addWidget(fUi->FontName);
    first->addWidget(fUi->FontSize);
    first->addWidget(fUi->FontColor);
    for (const char* name : {"actBold", "actItalic", "actUnderline", "actAlignLeft",
                             "actAlignCenter", "actAlignRight", "actAlignJustify"}) {
        first->addAction(Action(name));
    }
    QToolBar* second = fUi->ToolBar2;
    for (const char* name :
         {"actTable", "actNumber", "actEINS", "actINCLeftIdent", "actINCRightIdent", "act10LINE",
          "act15LINE", "act20LINE", "actINSBMP"}) {
        second->addAction(Action(name));
    }
    second->addWidget(fUi->BackgroundColor);
    fUi->BackgroundColor->SetSelected(clWhite);
}

void TTextNodeP::ConnectTools() {
    QTextEdit* editor = fUi->RRE;
    connect(editor, &QTextEdit::cursorPositionChanged, this, &TTextNodeP::RefreshTools);
    connect(editor, &QTextEdit::currentCharFormatChanged, this, &TTextNodeP::RefreshTools);
    connect(fUi->FontName, &QFontComboBox::currentFontChanged, this, &TTextNodeP::FontNameChanged);
    connect(fUi->FontSize, &QSpinBox::valueChanged, this, &TTextNodeP::FontSizeChanged);
    connect(fUi->FontColor, &TColorBox::ColorChanged, this, &TTextNodeP::FontColorChanged);
    connect(fUi->BackgroundColor, &TColorBox::ColorChanged, this,
            &TTextNodeP::BackgroundColorChanged);
    connect(fUi->Ruler, &TIndentRuler::MarkerDropped, this, &TTextNodeP::RulerDropped);
}

void TTextNodeP::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fUi->FontName->setCurrentFont(QFont(QStringLiteral("Arial")));
    RefreshTools();
    fUi->RRE->setFocus();
}

namespace {

// Ctrl+B, Ctrl+U and Ctrl+S: the editor's own keys.
bool IsFormattingKey(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
           (key.key() == Qt::Key_B || key.key() == Qt::Key_U || key.key() == Qt::Key_S);
}

} // namespace

bool TTextNodeP::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fUi->RRE && event->type() == QEvent::ShortcutOverride &&
        IsFormattingKey(*static_cast<QKeyEvent*>(event))) {
        // Claimed before any shortcut of the program (Ctrl+S saves the graph) sees it.
        event->accept();
        return true;
    }
    if (watched == fUi->RRE && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsFormattingKey(*key)) {
            switch (key->key()) {
            case Qt::Key_B:
                Action("actBold")->trigger();
                return true;
            case Qt::Key_U:
                Action("actUnderline")->trigger();
                return true;
            case Qt::Key_S:
                ToggleStrikeOut();
                return true;
            default:
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TTextNodeP::RefreshTools() {
    fUpdating = true;
    const QTextCursor cursor = fUi->RRE->textCursor();
    const QTextCharFormat chars = fUi->RRE->currentCharFormat();
    const QTextBlockFormat block = cursor.blockFormat();
    Action("actBold")->setChecked(chars.fontWeight() >= QFont::DemiBold);
    Action("actItalic")->setChecked(chars.fontItalic());
    Action("actUnderline")->setChecked(chars.underlineStyle() != QTextCharFormat::NoUnderline);
    const Qt::Alignment alignment = block.alignment() & Qt::AlignHorizontal_Mask;
    const bool justify = (alignment & Qt::AlignJustify) == Qt::AlignJustify;
    const bool center = !justify && (alignment & Qt::AlignHCenter);
    const bool right = !justify && (alignment & (Qt::AlignRight | Qt::AlignTrailing));
    Action("actAlignJustify")->setChecked(justify);
    Action("actAlignCenter")->setChecked(center);
    Action("actAlignRight")->setChecked(right);
    Action("actAlignLeft")->setChecked(!justify && !center && !right);
    const bool proportional = block.lineHeightType() == QTextBlockFormat::ProportionalHeight;
    const int percent = proportional ? static_cast<int>(std::lround(block.lineHeight())) : 0;
    Action("act10LINE")
        ->setChecked(block.lineHeightType() == QTextBlockFormat::SingleHeight || percent == 100);
    Action("act15LINE")->setChecked(percent == 150);
    Action("act20LINE")->setChecked(percent == 200);
    fUi->Ruler->ShowIndents(IndentsOf(block));
    const QStringList families = chars.fontFamilies().toStringList();
    const QFont font = fUi->RRE->document()->defaultFont();
    fUi->FontName->setCurrentFont(QFont(families.isEmpty() ? font.family() : families.front()));
    const double points = chars.fontPointSize() > 0 ? chars.fontPointSize() : font.pointSizeF();
    fUi->FontSize->setValue(static_cast<int>(points));
    fUi->FontColor->SetSelected(chars.foreground().style() != Qt::NoBrush
                                    ? FromQColor(chars.foreground().color())
                                    : clBlack);
    fUi->BackgroundColor->SetSelected(chars.background().style() != Qt::NoBrush
                                          ? FromQColor(chars.background().color())
                                          : clWhite);
    const QTextList* list = cursor.currentList();
    const QTextListFormat::Style style =
        list != nullptr ? list->format().style() : QTextListFormat::ListStyleUndefined;
    Action("actNumber")
        ->setChecked(style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
                     style == QTextListFormat::ListSquare);
    Action("actEINS")->setChecked(style == QTextListFormat::ListDecimal);
    fUpdating = false;
}

} // namespace zov
