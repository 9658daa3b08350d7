#include "support/RtfTestDocument.h"

#include "richtext/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

QTextBlock BlockWith(const QTextDocument& document, const QString& text, int* offset) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int found = static_cast<int>(block.text().indexOf(text));
        if (found >= 0) {
            *offset = found;
            return block;
        }
    }
    ADD_FAILURE() << "no block holds " << text.toStdString();
    return {};
}

} // namespace

QByteArray RichEditRtf(const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
           "{\\f1\\fswiss\\fcharset204 Arial Cyr;}{\\f2\\froman\\fcharset0 Times New Roman;}}\r\n"
           "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
           "\\viewkind4\\uc1\\pard\\lang1031\\f0\\fs20 " +
           body + "\\par\r\n}\r\n";
}

std::unique_ptr<QTextDocument> ReadDocument(const QByteArray& rtf) {
    auto document = std::make_unique<QTextDocument>();
    ReadRtf(rtf, *document);
    return document;
}

QStringList BlockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        texts.append(block.text());
    }
    return texts;
}

namespace {

QString CellText(const QTextTableCell& cell) {
    QStringList paragraphs;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        paragraphs.append(it.currentBlock().text());
    }
    QString text = paragraphs.join(u'/');
    if (cell.rowSpan() > 1 || cell.columnSpan() > 1) {
        text += QStringLiteral(" (%1x%2)").arg(cell.rowSpan()).arg(cell.columnSpan());
    }
    return text;
}

void OutlineTable(const QTextTable& table, QStringList& lines) {
    lines.append(QStringLiteral("table %1x%2").arg(table.rows()).arg(table.columns()));
    for (int row = 0; row < table.rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() == row && cell.column() == column) {
                cells.append(CellText(cell));
            }
        }
        lines.append(cells.join(QStringLiteral(" | ")));
    }
}

} // namespace

QStringList Outline(const QTextDocument& document) {
    QStringList lines;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame())) {
            OutlineTable(*table, lines);
        } else if (it.currentBlock().isValid()) {
            lines.append(it.currentBlock().text());
        }
    }
    return lines;
}

namespace {

// Family and size fall back to the document's default font, as in the layout.
QString DescribeRun(const QTextFragment& fragment, const QFont& defaultFont) {
    const QTextCharFormat f = fragment.charFormat();
    const QStringList families = f.fontFamilies().toStringList();
    QString text =
        QStringLiteral("  run \"%1\" %2 %3pt")
            .arg(fragment.text(), families.isEmpty() ? defaultFont.family() : families.join(','),
                 QString::number(f.fontPointSize() > 0 ? f.fontPointSize()
                                                       : defaultFont.pointSizeF()));
    text += QStringLiteral(" w%1 i%2 u%3 s%4 v%5")
                .arg(f.fontWeight())
                .arg(f.fontItalic())
                .arg(f.underlineStyle())
                .arg(f.fontStrikeOut())
                .arg(f.verticalAlignment());
    if (f.foreground().style() != Qt::NoBrush) {
        text += QStringLiteral(" fg ") + f.foreground().color().name();
    }
    if (f.background().style() != Qt::NoBrush) {
        text += QStringLiteral(" bg ") + f.background().color().name();
    }
    if (f.isImageFormat()) {
        const QTextImageFormat image = f.toImageFormat();
        text += QStringLiteral(" image %1x%2").arg(image.width()).arg(image.height());
    }
    return text;
}

void DescribeBlock(const QTextBlock& block, const QFont& defaultFont, QStringList& lines) {
    const QTextBlockFormat f = block.blockFormat();
    QString text = QStringLiteral("block \"%1\" align %2 margins %3 %4 %5 %6 %7 line %8 %9")
                       .arg(block.text())
                       .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
                       .arg(f.leftMargin())
                       .arg(f.rightMargin())
                       .arg(f.textIndent())
                       .arg(f.topMargin())
                       .arg(f.bottomMargin())
                       .arg(f.lineHeightType())
                       .arg(f.lineHeight());
    for (const QTextOption::Tab& tab : f.tabPositions()) {
        text += QStringLiteral(" tab %1 %2").arg(tab.position).arg(tab.type);
    }
    if (const QTextList* list = block.textList()) {
        text += QStringLiteral(" list %1 %2 %3")
                    .arg(list->format().style())
                    .arg(list->format().indent())
                    .arg(list->itemText(block));
    }
    lines.append(text);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        lines.append(DescribeRun(it.fragment(), defaultFont));
    }
}

} // namespace

QStringList Describe(const QTextDocument& document) {
    QStringList lines = Outline(document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        DescribeBlock(block, document.defaultFont(), lines);
    }
    return lines;
}

QTextCharFormat FormatOf(const QTextDocument& document, const QString& text) {
    int offset = 0;
    const QTextBlock block = BlockWith(document, text, &offset);
    if (!block.isValid()) {
        return {};
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset + 1); // the format before the cursor
    return cursor.charFormat();
}

QTextBlockFormat BlockFormatOf(const QTextDocument& document, const QString& text) {
    int offset = 0;
    return BlockWith(document, text, &offset).blockFormat();
}

} // namespace zov::test
