// The editor's formatting, insertion, find and undo commands.
#include "FindDialog.h"
#include "IndentRuler.h"
#include "TableSelect.h"
#include "TextNodeEditor.h"
#include "graph/model/NodeShapes.h"
#include "platform/types/Exceptions.h"
#include "richtext/RtfBuilders.h"
#include "ui_TextNodeEditor.h"

#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QTextList>

namespace zov {
namespace {

// What the picture dialog offers: every format Qt reads.
QString PictureFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    }
    return QStringLiteral("Pictures (%1);;All files (*)").arg(patterns.join(u' '));
}

} // namespace

void TTextNodeP::MergeCharFormat(const QTextCharFormat& format) {
    fUi->RRE->mergeCurrentCharFormat(format);
}

void TTextNodeP::ToggleBold() {
    QTextCharFormat format;
    format.setFontWeight(fUi->RRE->currentCharFormat().fontWeight() >= QFont::DemiBold
                             ? QFont::Normal
                             : QFont::Bold);
    MergeCharFormat(format);
    RefreshTools();
}

void TTextNodeP::ToggleItalic() {
    QTextCharFormat format;
    format.setFontItalic(!fUi->RRE->currentCharFormat().fontItalic());
    MergeCharFormat(format);
    RefreshTools();
}

void TTextNodeP::ToggleUnderline() {
    QTextCharFormat format;
    format.setUnderlineStyle(fUi->RRE->currentCharFormat().underlineStyle() !=
                                     QTextCharFormat::NoUnderline
                                 ? QTextCharFormat::NoUnderline
                                 : QTextCharFormat::SingleUnderline);
    MergeCharFormat(format);
    RefreshTools();
}

void TTextNodeP::ToggleStrikeOut() {
    QTextCharFormat format;
    format.setFontStrikeOut(!fUi->RRE->currentCharFormat().fontStrikeOut());
    MergeCharFormat(format);
}

void TTextNodeP::FontNameChanged() {
    if (fUpdating) {
        return;
    }
    QTextCharFormat format;
    format.setFontFamilies({fUi->FontName->currentFont().family()});
    MergeCharFormat(format);
}

void TTextNodeP::FontSizeChanged() {
    if (fUpdating) {
        return;
    }
    QTextCharFormat format;
    format.setFontPointSize(fUi->FontSize->value());
    MergeCharFormat(format);
}

void TTextNodeP::FontColorChanged() {
    QTextCharFormat format;
    format.setForeground(ToQColor(fUi->FontColor->Selected()));
    MergeCharFormat(format);
}

void TTextNodeP::BackgroundColorChanged() {
    QTextCharFormat format;
    format.setBackground(ToQColor(fUi->BackgroundColor->Selected()));
    MergeCharFormat(format);
}

void TTextNodeP::SetAlignment(Qt::Alignment alignment) {
    fUi->RRE->setAlignment(alignment);
    RefreshTools();
}

void TTextNodeP::SetLineSpacing(int percent) {
    QTextBlockFormat format;
    format.setLineHeight(percent, QTextBlockFormat::ProportionalHeight);
    fUi->RRE->textCursor().mergeBlockFormat(format);
    RefreshTools();
}

void TTextNodeP::ToggleList(QAction* action, int style) {
    if (fUpdating) {
        return;
    }
    QTextCursor cursor = fUi->RRE->textCursor();
    cursor.beginEditBlock();
    if (action->isChecked()) {
        QTextListFormat format;
        format.setStyle(static_cast<QTextListFormat::Style>(style));
        if (QTextList* list = cursor.currentList()) {
            format.setIndent(list->format().indent());
            list->setFormat(format);
        } else {
            cursor.createList(format);
        }
    } else {
        // Every paragraph the selection touches leaves its list.
        QTextBlock block = fUi->RRE->document()->findBlock(cursor.selectionStart());
        const QTextBlock end = fUi->RRE->document()->findBlock(cursor.selectionEnd()).next();
        for (; block.isValid() && block != end; block = block.next()) {
            if (QTextList* list = block.textList()) {
                list->remove(block);
                QTextCursor at(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                at.setBlockFormat(format);
            }
        }
    }
    cursor.endEditBlock();
    RefreshTools();
}

namespace {

// Only the indents of the paragraphs the selection touches change.
void MergeIndents(QTextEdit& editor, const TParaIndents& indents) {
    QTextBlockFormat format;
    SetIndents(format, indents);
    editor.textCursor().mergeBlockFormat(format);
}

} // namespace

void TTextNodeP::IndentRight() {
    TParaIndents indents = IndentsOf(fUi->RRE->textCursor().blockFormat());
    indents.left += 5;
    indents.first = indents.left;
    MergeIndents(*fUi->RRE, indents);
    RefreshTools();
}

void TTextNodeP::IndentLeft() {
    TParaIndents indents = IndentsOf(fUi->RRE->textCursor().blockFormat());
    if (indents.left < 5) {
        return;
    }
    indents.left -= 5;
    indents.first = indents.left;
    MergeIndents(*fUi->RRE, indents);
    RefreshTools();
}

void TTextNodeP::RulerDropped(TRulerMarker marker) {
    const TParaIndents current = IndentsOf(fUi->RRE->textCursor().blockFormat());
    MergeIndents(*fUi->RRE, fUi->Ruler->DroppedIndents(marker, current));
    RefreshTools();
}

void TTextNodeP::Undo() {
    fUi->RRE->undo();
}

void TTextNodeP::Find() {
    if (fFind == nullptr) {
        fFind = new TFindDialog(*fUi->RRE, this);
    }
    fFind->SetSearchText(QString());
    fFind->show();
    fFind->raise();
    fFind->activateWindow();
}

void TTextNodeP::InsertPicture() {
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setObjectName(QStringLiteral("OpenPictureDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(PictureFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString fileName = dialog.selectedFiles().front();
    QImageReader reader(fileName);
    const QSize size = reader.size();
    if (size.width() > kMaxRtfBitmapSide || size.height() > kMaxRtfBitmapSide) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("\"%1\" is %2 x %3 pixels; pictures in a text can "
                                            "be at most %4 x %4 pixels.")
                                 .arg(fileName)
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(kMaxRtfBitmapSide));
        return;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        QMessageBox::warning(this, windowTitle(),
                             Exception::Format(SInvalidPictureFile, {fileName}));
        return;
    }
    QTextCursor cursor = fUi->RRE->textCursor();
    InsertRtf(cursor, BitmapToRtf(image));
    fUi->RRE->setTextCursor(cursor);
}

void TTextNodeP::InsertTable() {
    const TTableSize size = SelectTableSize(fUi->ToolBar2, fUi->ToolBar2, fUi->RRE);
    if (size.columns > 0 && size.rows > 0 && fNode != nullptr) {
        QTextCursor cursor = fUi->RRE->textCursor();
        InsertRtf(cursor, TableRtf(size.rows, size.columns, fNode->Width()));
        fUi->RRE->setTextCursor(cursor);
    }
}

} // namespace zov
