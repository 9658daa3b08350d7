#include "RtfTokenizer.h"

#include <QtGlobal>
#include <algorithm>
#include <limits>

namespace zov {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int RtfHexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

namespace {

// Text runs stop at the characters with a meaning of their own.
bool EndsText(char c) {
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

// Parameters beyond 32 bits are clamped; the digits are still consumed so that
// they never turn into text.
constexpr int64_t kParameterLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;

TRtfToken MakeToken(TRtfTokenKind kind) {
    TRtfToken token;
    token.kind = kind;
    return token;
}

} // namespace

TRtfToken TRtfTokenizer::Next() {
    while (fPos < fInput.size()) {
        const char c = fInput[fPos];
        if (c == '\r' || c == '\n') {
            ++fPos;
            continue;
        }
        if (c == '{') {
            ++fPos;
            return MakeToken(rtGroupStart);
        }
        if (c == '}') {
            ++fPos;
            return MakeToken(rtGroupEnd);
        }
        if (c == '\\') {
            return ReadControl();
        }
        return ReadText();
    }
    return MakeToken(rtEnd);
}

QByteArrayView TRtfTokenizer::TakeBytes(int64_t count) {
    const int64_t left = fInput.size() - fPos;
    const auto taken = static_cast<qsizetype>(std::clamp<int64_t>(count, 0, left));
    const QByteArrayView bytes = fInput.sliced(fPos, taken);
    fPos += taken;
    return bytes;
}

TRtfToken TRtfTokenizer::ReadText() {
    const qsizetype start = fPos;
    while (fPos < fInput.size() && !EndsText(fInput[fPos])) {
        ++fPos;
    }
    TRtfToken token = MakeToken(rtText);
    token.word = fInput.sliced(start, fPos - start);
    return token;
}

TRtfToken TRtfTokenizer::ReadControl() {
    ++fPos; // the backslash
    if (fPos >= fInput.size()) {
        return MakeToken(rtEnd);
    }
    const char first = fInput[fPos];
    if (!IsLetter(first)) {
        ++fPos;
        if (first == '\r' || first == '\n') {
            TRtfToken token = MakeToken(rtControlWord);
            token.word = "par";
            return token;
        }
        if (first != '\'') {
            TRtfToken token = MakeToken(rtControlSymbol);
            token.symbol = first;
            return token;
        }
        // A truncated escape yields the digits that are there; none leaves a symbol
        // the reader ignores.
        int value = 0;
        int digits = 0;
        while (digits < 2 && fPos < fInput.size() && RtfHexValue(fInput[fPos]) >= 0) {
            value = value * 16 + RtfHexValue(fInput[fPos]);
            ++fPos;
            ++digits;
        }
        TRtfToken token = MakeToken(digits == 0 ? rtControlSymbol : rtHexByte);
        token.symbol = first;
        token.byte = static_cast<uint8_t>(value);
        return token;
    }
    const qsizetype start = fPos;
    while (fPos < fInput.size() && IsLetter(fInput[fPos])) {
        ++fPos;
    }
    TRtfToken token = MakeToken(rtControlWord);
    token.word = fInput.sliced(start, fPos - start);
    bool negative = false;
    if (fPos + 1 < fInput.size() && fInput[fPos] == '-' && IsDigit(fInput[fPos + 1])) {
        negative = true;
        ++fPos;
    }
    if (fPos < fInput.size() && IsDigit(fInput[fPos])) {
        int64_t value = 0;
        while (fPos < fInput.size() && IsDigit(fInput[fPos])) {
            value = std::min(value * 10 + (fInput[fPos] - '0'), kParameterLimit);
            ++fPos;
        }
        value = negative ? -value : value;
        token.hasParameter = true;
        token.parameter = static_cast<int32_t>(std::clamp<int64_t>(
            value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    }
    if (fPos < fInput.size() && fInput[fPos] == ' ') {
        ++fPos; // the delimiter belongs to the control word
    }
    return token;
}

} // namespace zov
