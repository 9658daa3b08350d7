#pragma once

#include <QByteArrayView>
#include <cstdint>

class QTextDocument;

namespace zov {

enum TRtfReadResult : uint8_t {
    rrComplete, // the document's outer group closed
    rrPartial,  // the input ended inside the document; what was read is kept
    rrNotRtf    // the bytes do not begin with "{\rtf"; the document is left empty
};

// Replaces the content of document by the RTF document in rtf. Malformed input
// (unbalanced braces, truncated escapes, unknown control words, absurd numbers)
// gives as much of the document as can be read, in time and memory proportional
// to the input.
TRtfReadResult ReadRtf(QByteArrayView rtf, QTextDocument& document);

} // namespace zov
