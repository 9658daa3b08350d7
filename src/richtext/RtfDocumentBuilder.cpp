#include "RtfDocumentBuilder.h"

#include <QTextDocument>

namespace zov {

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

void TRtfDocumentBuilder::EndParagraph(const QTextBlockFormat& format) {
    OpenPendingBlock();
    Flush();
    fCursor.setBlockFormat(format);
    fBlockPending = true;
}

void TRtfDocumentBuilder::Finish(const QTextBlockFormat& format) {
    Flush();
    if (!fBlockPending) {
        fCursor.setBlockFormat(format);
    }
}

void TRtfDocumentBuilder::Flush() {
    if (!fText.isEmpty()) {
        fCursor.insertText(fText, fFormat);
        fText.clear();
    }
}

void TRtfDocumentBuilder::OpenPendingBlock() {
    if (fBlockPending) {
        fCursor.insertBlock();
        fBlockPending = false;
    }
}

} // namespace zov
