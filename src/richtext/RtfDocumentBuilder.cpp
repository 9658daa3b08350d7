#include "RtfDocumentBuilder.h"

#include <QTextDocument>

namespace zov {
namespace {

quint64 ListKey(const TRtfListItem& item) {
    // Styles are small negative numbers and levels below 256.
    return (quint64(quint32(item.list)) << 32) | (quint64(quint8(item.level)) << 8) |
           quint8(-item.style);
}

} // namespace

TRtfDocumentBuilder::TRtfDocumentBuilder(QTextDocument& document) : fCursor(&document) {}

void TRtfDocumentBuilder::AppendText(const QString& text, const QTextCharFormat& format) {
    if (text.isEmpty()) {
        return;
    }
    OpenPendingBlock();
    if (format != fFormat) {
        Flush();
        fFormat = format;
    }
    fText += text;
}

void TRtfDocumentBuilder::EndParagraph(const QTextBlockFormat& format, const TRtfListItem& item) {
    OpenPendingBlock();
    Flush();
    FormatBlock(format, item);
    fBlockPending = true;
}

void TRtfDocumentBuilder::Finish(const QTextBlockFormat& format, const TRtfListItem& item) {
    Flush();
    if (!fBlockPending) {
        FormatBlock(format, item);
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
