#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>
#include <QTextListFormat>

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

// Writes text runs and paragraphs into a document through one cursor. Text of one
// format is gathered before it is inserted, and a paragraph mark opens the next
// block only when more content follows, so the document does not end in an empty
// paragraph of the mark that closes the last one. A list item's indent is its
// list's, so its own left and first-line indents are dropped.
class TRtfDocumentBuilder {
public:
    explicit TRtfDocumentBuilder(QTextDocument& document);

    void AppendText(const QString& text, const QTextCharFormat& format);
    // Ends the current paragraph with its paragraph format and list.
    void EndParagraph(const QTextBlockFormat& format, const TRtfListItem& item);
    // Inserts what is gathered; format and item apply to a last paragraph without
    // a mark.
    void Finish(const QTextBlockFormat& format, const TRtfListItem& item);

private:
    void Flush();
    void OpenPendingBlock();
    void FormatBlock(const QTextBlockFormat& format, const TRtfListItem& item);

    QTextCursor fCursor;
    QString fText;
    QTextCharFormat fFormat;
    bool fBlockPending = false;
    // The lists of the list items in a row, by list, level and style.
    QHash<quint64, QPointer<QTextList>> fLists;
};

} // namespace zov
