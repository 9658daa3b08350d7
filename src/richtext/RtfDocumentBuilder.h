#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

namespace zov {

// Writes text runs and paragraphs into a document through one cursor. Text of one
// format is gathered before it is inserted, and a paragraph mark opens the next
// block only when more content follows, so the document does not end in an empty
// paragraph of the mark that closes the last one.
class TRtfDocumentBuilder {
public:
    explicit TRtfDocumentBuilder(QTextDocument& document);

    void AppendText(const QString& text, const QTextCharFormat& format);
    // Ends the current paragraph with its paragraph format.
    void EndParagraph(const QTextBlockFormat& format);
    // Inserts what is gathered; format applies to a last paragraph without a mark.
    void Finish(const QTextBlockFormat& format);

private:
    void Flush();
    void OpenPendingBlock();

    QTextCursor fCursor;
    QString fText;
    QTextCharFormat fFormat;
    bool fBlockPending = false;
};

} // namespace zov
