#include "RtfJson.h"

#include "richtext/RtfFormatState.h"
#include "richtext/RtfImageProperties.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QJsonArray>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <cmath>

namespace zov {
namespace {

QString AlignmentName(Qt::Alignment alignment) {
    if (alignment & Qt::AlignJustify) {
        return QStringLiteral("justify");
    }
    if (alignment & Qt::AlignHCenter) {
        return QStringLiteral("center");
    }
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
        return QStringLiteral("right");
    }
    return QStringLiteral("left");
}

QString ListStyleName(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDisc:
        return QStringLiteral("disc");
    case QTextListFormat::ListCircle:
        return QStringLiteral("circle");
    case QTextListFormat::ListSquare:
        return QStringLiteral("square");
    case QTextListFormat::ListLowerAlpha:
        return QStringLiteral("lower-alpha");
    case QTextListFormat::ListUpperAlpha:
        return QStringLiteral("upper-alpha");
    case QTextListFormat::ListLowerRoman:
        return QStringLiteral("lower-roman");
    case QTextListFormat::ListUpperRoman:
        return QStringLiteral("upper-roman");
    default:
        return QStringLiteral("decimal");
    }
}

QJsonObject LineSpacing(const QTextBlockFormat& format) {
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (std::lround(format.lineHeight()) != 100) {
            return {{"rule", "multiple"}, {"value", format.lineHeight() / 100}};
        }
        break;
    case QTextBlockFormat::FixedHeight:
        return {{"rule", "exact"}, {"value", RtfPixelsToTwips(format.lineHeight())}};
    case QTextBlockFormat::MinimumHeight:
        return {{"rule", "atLeast"}, {"value", RtfPixelsToTwips(format.lineHeight())}};
    default:
        break;
    }
    return {{"rule", "single"}, {"value", 1}};
}

QJsonObject Run(const QString& text, const QTextCharFormat& format, const QFont& defaultFont) {
    const QStringList families = format.fontFamilies().toStringList();
    const QBrush foreground = format.foreground();
    const QBrush background = format.background();
    return {
        {"text", text},
        {"font", families.isEmpty() ? defaultFont.family() : families.front()},
        {"size", format.fontPointSize() > 0 ? format.fontPointSize() : defaultFont.pointSizeF()},
        {"bold", format.fontWeight() >= QFont::DemiBold},
        {"italic", format.fontItalic()},
        {"underline", format.underlineStyle() != QTextCharFormat::NoUnderline},
        {"strike", format.fontStrikeOut()},
        {"color", foreground.style() == Qt::NoBrush ? QStringLiteral("#000000")
                                                    : foreground.color().name().toUpper()},
        {"highlight", background.style() == Qt::NoBrush
                          ? QJsonValue()
                          : QJsonValue(background.color().name().toUpper())},
    };
}

class TStructure {
public:
    explicit TStructure(const QTextDocument& document) : fDocument(document) {}

    QJsonObject Build() {
        for (QTextBlock block = fDocument.begin(); block.isValid(); block = block.next()) {
            fBlocks.append(Block(block));
        }
        return {{"blocks", fBlocks}, {"tables", fTables}, {"images", fImages}};
    }

private:
    QJsonObject Block(const QTextBlock& block) {
        const QTextBlockFormat format = block.blockFormat();
        QJsonValue list;
        if (const QTextList* textList = block.textList()) {
            list = QJsonObject{{"style", ListStyleName(textList->format().style())},
                               {"level", textList->format().indent() - 1}};
        }
        QJsonArray runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                AddImage(fragment.charFormat().toImageFormat());
            } else {
                runs.append(Run(fragment.text(), fragment.charFormat(), fDocument.defaultFont()));
            }
        }
        return {
            {"text", block.text()},
            {"align", AlignmentName(format.alignment())},
            {"leftIndent", RtfPixelsToTwips(format.leftMargin())},
            {"rightIndent", RtfPixelsToTwips(format.rightMargin())},
            {"firstLineIndent", RtfPixelsToTwips(format.textIndent())},
            {"spaceBefore", RtfPixelsToTwips(format.topMargin())},
            {"spaceAfter", RtfPixelsToTwips(format.bottomMargin())},
            {"lineSpacing", LineSpacing(format)},
            {"list", list},
            {"cell", Cell(block)},
            {"runs", runs},
        };
    }

    QJsonValue Cell(const QTextBlock& block) {
        const QTextCursor cursor(block);
        QTextTable* table = cursor.currentTable();
        if (table == nullptr) {
            return {};
        }
        auto found = fTableIndex.constFind(table);
        if (found == fTableIndex.constEnd()) {
            found = fTableIndex.insert(table, static_cast<int>(fTables.size()));
            fTables.append(QJsonObject{{"rows", table->rows()}, {"columns", table->columns()}});
        }
        const QTextTableCell cell = table->cellAt(cursor);
        return QJsonArray{*found, cell.row(), cell.column()};
    }

    void AddImage(const QTextImageFormat& format) {
        const QString kind = format.property(kRtfPictureFormatProperty).toString();
        fImages.append(QJsonObject{{"width", format.width()},
                                   {"height", format.height()},
                                   {"format", kind.isEmpty() ? QStringLiteral("image") : kind}});
    }

    const QTextDocument& fDocument;
    QJsonArray fBlocks;
    QJsonArray fTables;
    QJsonArray fImages;
    QHash<const QTextTable*, int> fTableIndex;
};

} // namespace

QJsonObject RtfStructure(const QTextDocument& document) {
    return TStructure(document).Build();
}

} // namespace zov
