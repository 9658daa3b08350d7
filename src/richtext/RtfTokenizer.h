#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace zov {

// What one step of the tokenizer found.
enum TRtfTokenKind : uint8_t {
    rtEnd,           // the input is exhausted
    rtGroupStart,    // '{'
    rtGroupEnd,      // '}'
    rtControlWord,   // '\' letters [ '-' ] [ digits ]
    rtControlSymbol, // '\' and one other character, e.g. "\~" or "\{"
    rtHexByte,       // "\'xx"
    rtText           // a run of plain bytes
};

struct TRtfToken {
    TRtfTokenKind kind = rtEnd;
    QByteArrayView word;       // rtControlWord: the letters; rtText: the bytes
    bool hasParameter = false; // rtControlWord
    int32_t parameter = 0;     // rtControlWord, clamped to 32 bits
    char symbol = 0;           // rtControlSymbol
    uint8_t byte = 0;          // rtHexByte
};

// The value of a hex digit, -1 for any other byte.
int RtfHexValue(char c);

// Splits RTF bytes into tokens without copying them. Line breaks in the text are
// not content and are dropped; "\" before a line break is a paragraph mark (the
// control word "par"). Every call consumes at least one byte until rtEnd, so a
// reader driven by it always ends.
class TRtfTokenizer {
public:
    explicit TRtfTokenizer(QByteArrayView input) : fInput(input) {}

    TRtfToken Next();
    // The binary data that follows "\binN": at most what is left.
    QByteArrayView TakeBytes(int64_t count);
    bool AtEnd() const { return fPos >= fInput.size(); }

private:
    TRtfToken ReadControl();
    TRtfToken ReadText();

    QByteArrayView fInput;
    qsizetype fPos = 0;
};

} // namespace zov
