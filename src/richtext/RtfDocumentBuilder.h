#pragma once

#include "RtfRowDefinition.h"

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextListFormat>
#include <QTextTable>
#include <vector>

class QTextDocument;

namespace zov {

// The list a paragraph belongs to; paragraphs of one list (an "\\ls" number, or
// the rich-edit control's lists, told apart by style) and level in a row make up
// one QTextList.
struct TRtfListItem {
    QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
    int list = 0;
    int level = 0;
};

// Writes text runs, pictures, paragraphs and tables into a document through one
// cursor. Text of one format is gathered before it is inserted, and a paragraph
// mark opens the next block only when more content follows, so the document does
// not end in an empty paragraph of the mark that closes the last one. A list
// item's indent is its list's, so its own left and first-line indents are dropped.
//
// Content of a paragraph marked as in a table goes into the current cell; a table
// grows by a row for content after a row's end and by a column for a cell beyond
// its last one, up to fixed bounds, past which the next row starts a new table.
class TRtfDocumentBuilder {
public:
    static constexpr int kMaxTableCells = 10000;

    // rowDefinition is the reader's "\\trowd" definition as it goes, which places
    // the cells of a row when its first content arrives.
    TRtfDocumentBuilder(QTextDocument& document, const TRtfRowDefinition& rowDefinition);

    void AppendText(const QString& text, const QTextCharFormat& format, bool inTable);
    // Adds image to the document's resources and shows it in format's size.
    void AppendImage(const QImage& image, QTextImageFormat format, bool inTable);
    // Ends the current paragraph with its paragraph format and list.
    void EndParagraph(const QTextBlockFormat& format, const TRtfListItem& item, bool inTable);
    // "\cell": ends the cell's last paragraph.
    void EndCell(const QTextBlockFormat& format, const TRtfListItem& item);
    // "\row": the row's cells are complete; row tells their widths and merges.
    void EndRow(const TRtfRowDefinition& row);
    // Inserts what is gathered; format and item apply to a last paragraph without
    // a mark.
    void Finish(const QTextBlockFormat& format, const TRtfListItem& item);

private:
    void Flush();
    void Place(bool inTable);
    void OpenPendingBlock();
    void FormatBlock(const QTextBlockFormat& format, const TRtfListItem& item);
    void EnterCell();
    void StartTable();
    void LeaveTable();
    void MergeRow(const TRtfRowDefinition& row);

    // The columns a cell of the row covers.
    struct TPlace {
        int column;
        int span;
    };
    void PlaceRow();
    TPlace PlaceOf(int cell) const;

    QTextDocument& fDocument;
    QTextCursor fCursor;
    QString fText;
    QTextCharFormat fFormat;
    bool fBlockPending = false;
    // The lists of the list items in a row, by list, level and style.
    QHash<quint64, QPointer<QTextList>> fLists;

    // The table being read, and the cell content goes to.
    QTextTable* fTable = nullptr;
    int fRow = 0;
    int fRowsUsed = 0;           // rows holding cells read; the table may have more, to be filled
    int fCell = 0;               // the row's cells read so far
    bool fInCell = false;        // the cursor is in cell fCell of row fRow
    bool fWidthsSet = false;     // the first row's widths are the table's
    std::vector<int> fDownStart; // per column: the row a vertical merge began in
    const TRtfRowDefinition& fRowDefinition;
    std::vector<int> fEdges;     // the right edges of the table's columns, twips
    std::vector<TPlace> fPlaces; // of the row's cells; empty: a cell to a column
};

} // namespace zov
