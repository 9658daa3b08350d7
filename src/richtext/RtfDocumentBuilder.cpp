#include "RtfDocumentBuilder.h"

#include "RtfFormatState.h"

#include <QTextDocument>
#include <QTextTableFormat>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>

namespace zov {
namespace {

quint64 ListKey(const TRtfListItem& item) {
    // Styles are small negative numbers and levels below 256.
    return (quint64(quint32(item.list)) << 32) | (quint64(quint8(item.level)) << 8) |
           quint8(-item.style);
}

QTextTableFormat TableFormat() {
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::black);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(4);
    return format;
}

} // namespace

TRtfDocumentBuilder::TRtfDocumentBuilder(QTextDocument& document,
                                         const TRtfRowDefinition& rowDefinition)
    : fDocument(document), fCursor(&document), fRowDefinition(rowDefinition) {}

void TRtfDocumentBuilder::AppendText(const QString& text, const QTextCharFormat& format,
                                     bool inTable) {
    if (text.isEmpty()) {
        return;
    }
    Place(inTable);
    OpenPendingBlock();
    if (format != fFormat) {
        Flush();
        fFormat = format;
    }
    fText += text;
}

void TRtfDocumentBuilder::AppendImage(const QImage& image, QTextImageFormat format, bool inTable) {
    // Names unique in the process, so pictures of one document inserted into another
    // keep their own.
    static std::atomic<quint64> count = 0;
    const QString name = QStringLiteral("rtfpict:%1").arg(++count);
    fDocument.addResource(QTextDocument::ImageResource, QUrl(name), image);
    format.setName(name);
    Place(inTable);
    OpenPendingBlock();
    Flush();
    fCursor.insertImage(format);
}

void TRtfDocumentBuilder::EndParagraph(const QTextBlockFormat& format, const TRtfListItem& item,
                                       bool inTable) {
    Place(inTable);
    OpenPendingBlock();
    Flush();
    FormatBlock(format, item);
    fBlockPending = true;
}

void TRtfDocumentBuilder::EndCell(const QTextBlockFormat& format, const TRtfListItem& item) {
    Place(true);
    OpenPendingBlock();
    Flush();
    FormatBlock(format, item);
    fInCell = false;
    ++fCell;
}

void TRtfDocumentBuilder::EndRow(const TRtfRowDefinition& row) {
    if (fTable == nullptr || fRow >= fRowsUsed) {
        return; // no cell of this row was read
    }
    Flush();
    if (!fWidthsSet) {
        QTextTableFormat format = fTable->format();
        QList<QTextLength> widths;
        int left = row.left;
        for (const TRtfCellDefinition& cell : row.cells) {
            // Decreasing edges leave a column to the layout.
            const int width = cell.right - left;
            widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, RtfTwipsToPixels(width))
                                    : QTextLength());
            left = std::max(left, cell.right);
        }
        // One width per column: Qt copies a neighbour's width for each column added
        // later and reads past a shorter list.
        widths.resize(fTable->columns());
        format.setColumnWidthConstraints(widths);
        if (row.gap > 0) {
            format.setCellPadding(RtfTwipsToPixels(ClampRtfLength(row.gap)));
        }
        fTable->setFormat(format);
        fWidthsSet = true;
    }
    MergeRow(row);
    ++fRow;
    fCell = 0;
    fPlaces.clear();
    fInCell = false;
    fBlockPending = false;
}

void TRtfDocumentBuilder::Finish(const QTextBlockFormat& format, const TRtfListItem& item) {
    Flush();
    if (fTable != nullptr) {
        LeaveTable();
        return;
    }
    if (!fBlockPending) {
        FormatBlock(format, item);
    }
}

void TRtfDocumentBuilder::Place(bool inTable) {
    if (inTable) {
        if (!fInCell) {
            EnterCell();
        }
    } else if (fTable != nullptr) {
        LeaveTable();
    }
}

void TRtfDocumentBuilder::EnterCell() {
    Flush();
    if (fTable == nullptr) {
        StartTable();
    }
    if (fRow >= fRowsUsed) {
        if ((fRow + 1) * fTable->columns() > kMaxTableCells) {
            LeaveTable();
            StartTable();
        } else if (fRow >= fTable->rows()) {
            // Rows come in growing batches: each insertion lays out the whole grid
            // again, so one at a time would take quadratic time.
            const int room = kMaxTableCells / fTable->columns() - fTable->rows();
            fTable->appendRows(std::max(1, std::min(fTable->rows(), room)));
        }
        fRowsUsed = fRow + 1;
    }
    if (fCell == 0) {
        PlaceRow();
    }
    const TPlace place = PlaceOf(fCell);
    const int columns = fTable->columns();
    const int wanted = std::min(place.column + place.span, int{TRtfRowDefinition::kMaxCells});
    if (wanted > columns && fRowsUsed * wanted <= kMaxTableCells) {
        fTable->appendColumns(wanted - columns);
    }
    const int column = std::min(place.column, fTable->columns() - 1);
    // A cell met again (beyond the bounds, or covered by a merge) gets a new paragraph.
    const QTextTableCell cell = fTable->cellAt(fRow, column);
    fCursor = cell.lastCursorPosition();
    fBlockPending = cell.firstCursorPosition() != fCursor;
    fInCell = true;
    fLists.clear();
}

void TRtfDocumentBuilder::StartTable() {
    fBlockPending = false;
    fTable = fCursor.insertTable(1, 1, TableFormat());
    fRow = 0;
    fRowsUsed = 0;
    fCell = 0;
    fWidthsSet = false;
    fDownStart.clear();
    fEdges.clear();
    int last = std::numeric_limits<int>::min();
    for (const TRtfCellDefinition& cell : fRowDefinition.cells) {
        if (cell.right > last) {
            fEdges.push_back(cell.right);
            last = cell.right;
        }
    }
}

void TRtfDocumentBuilder::LeaveTable() {
    Flush();
    if (fTable->rows() > fRowsUsed) {
        fTable->removeRows(std::max(fRowsUsed, 1), fTable->rows() - std::max(fRowsUsed, 1));
    }
    fCursor = fTable->lastCursorPosition();
    fCursor.movePosition(QTextCursor::NextBlock);
    fTable = nullptr;
    fInCell = false;
    fBlockPending = false;
    fLists.clear();
}

void TRtfDocumentBuilder::PlaceRow() {
    // The cells line up with the table's columns when each ends at a column's edge;
    // a cell that ends further right spans the columns in between.
    constexpr int kTolerance = 20; // twips: writers round edges differently
    fPlaces.clear();
    int column = 0;
    for (const TRtfCellDefinition& cell : fRowDefinition.cells) {
        const int first = column;
        while (static_cast<size_t>(column) < fEdges.size() &&
               fEdges[static_cast<size_t>(column)] <= cell.right + kTolerance) {
            ++column;
        }
        if (column == first ||
            std::abs(fEdges[static_cast<size_t>(column - 1)] - cell.right) > kTolerance) {
            fPlaces.clear(); // they do not: a cell to a column
            return;
        }
        fPlaces.push_back({first, column - first});
    }
}

TRtfDocumentBuilder::TPlace TRtfDocumentBuilder::PlaceOf(int cell) const {
    if (fPlaces.empty()) {
        return {cell, 1};
    }
    if (static_cast<size_t>(cell) < fPlaces.size()) {
        return fPlaces[static_cast<size_t>(cell)];
    }
    const TPlace& last = fPlaces.back();
    return {last.column + last.span + cell - static_cast<int>(fPlaces.size()), 1};
}

void TRtfDocumentBuilder::MergeRow(const TRtfRowDefinition& row) {
    const int columns = fTable->columns();
    const int count = static_cast<int>(row.cells.size());
    for (int cell = 0; cell < count;) {
        int end = cell + 1;
        while (end < count && row.cells[end].across == rmContinue) {
            ++end;
        }
        const TPlace first = PlaceOf(cell);
        const TPlace last = PlaceOf(end - 1);
        const int span = std::min(last.column + last.span, columns) - first.column;
        if (span > 1) {
            fTable->mergeCells(fRow, first.column, 1, span);
        }
        cell = end;
    }
    fDownStart.resize(static_cast<size_t>(columns), -1);
    for (int cell = 0; cell < count; ++cell) {
        const int column = PlaceOf(cell).column;
        if (column >= columns) {
            break;
        }
        int& start = fDownStart[static_cast<size_t>(column)];
        switch (row.cells[cell].down) {
        case rmFirst:
            start = fRow;
            break;
        case rmContinue:
            if (start >= 0) {
                const int span = fTable->cellAt(start, column).columnSpan();
                fTable->mergeCells(start, column, fRow - start + 1, span);
            }
            break;
        case rmNone:
            start = -1;
            break;
        }
    }
}

void TRtfDocumentBuilder::FormatBlock(const QTextBlockFormat& format, const TRtfListItem& item) {
    if (item.style == QTextListFormat::ListStyleUndefined) {
        fCursor.setBlockFormat(format);
        fLists.clear();
        return;
    }
    QTextBlockFormat itemFormat = format;
    itemFormat.clearProperty(QTextFormat::BlockLeftMargin);
    itemFormat.clearProperty(QTextFormat::TextIndent);
    fCursor.setBlockFormat(itemFormat);
    QPointer<QTextList>& list = fLists[ListKey(item)];
    if (list) {
        list->add(fCursor.block());
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(item.style);
    listFormat.setIndent(item.level + 1);
    list = fCursor.createList(listFormat);
}

void TRtfDocumentBuilder::Flush() {
    if (!fText.isEmpty()) {
        fCursor.insertText(fText, fFormat);
        fText.clear();
    }
}

void TRtfDocumentBuilder::OpenPendingBlock() {
    if (fBlockPending) {
        // A clean format, so the new block does not join the last one's list.
        fCursor.insertBlock(QTextBlockFormat());
        fBlockPending = false;
    }
}

} // namespace zov
