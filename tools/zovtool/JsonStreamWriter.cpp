#include "JsonStreamWriter.h"

#include <charconv>
#include <iterator>

namespace zov {

namespace {

constexpr size_t kFlushSize = 1 << 16;

char HexDigit(unsigned value) {
    return static_cast<char>(value < 10 ? '0' + value : 'a' + value - 10);
}

void AppendEscaped(std::string& out, unsigned code) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += HexDigit((code >> shift) & 0xF);
    }
}

// JSON's escapes; other text as UTF-8, lone surrogates as \u escapes.
template <class Text> void AppendString(std::string& out, const Text& text) {
    out += '"';
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = QChar(text[i]).unicode();
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
            out += static_cast<char>(c);
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            continue;
        case '\\':
            out += "\\\\";
            continue;
        case '\b':
            out += "\\b";
            continue;
        case '\f':
            out += "\\f";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\r':
            out += "\\r";
            continue;
        case '\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        if (c < 0x20) {
            AppendEscaped(out, c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar(text[i + 1]).isLowSurrogate()) {
            out += QString(text.mid(i, 2)).toStdString();
            ++i;
        } else if (QChar::isSurrogate(c)) {
            AppendEscaped(out, c);
        } else {
            out += QString(QChar(c)).toStdString();
        }
    }
    out += '"';
}

} // namespace

TJsonStreamWriter::TJsonStreamWriter(std::FILE* out) : fOut(out) {
    fBuffer.reserve(2 * kFlushSize);
}

void TJsonStreamWriter::Key(const char* key) {
    Separate();
    fBuffer += '"';
    fBuffer += key;
    fBuffer += "\": ";
    fAfterKey = true;
}

void TJsonStreamWriter::Value(int64_t value) {
    BeforeValue();
    char digits[24];
    const std::to_chars_result end = std::to_chars(std::begin(digits), std::end(digits), value);
    fBuffer.append(digits, end.ptr);
    FlushWhenFull();
}

void TJsonStreamWriter::Value(bool value) {
    BeforeValue();
    fBuffer += value ? "true" : "false";
}

void TJsonStreamWriter::Value(const QString& text) {
    BeforeValue();
    AppendString(fBuffer, text);
    FlushWhenFull();
}

void TJsonStreamWriter::Value(QLatin1StringView text) {
    BeforeValue();
    AppendString(fBuffer, text);
    FlushWhenFull();
}

void TJsonStreamWriter::Null() {
    BeforeValue();
    fBuffer += "null";
}

bool TJsonStreamWriter::Finish() {
    fBuffer += '\n';
    WriteOut();
    return std::fflush(fOut) == 0 && !fFailed;
}

void TJsonStreamWriter::Open(char bracket) {
    BeforeValue();
    fBuffer += bracket;
    fBuffer += '\n';
    fOpenHasItems.push_back(false);
}

void TJsonStreamWriter::Close(char bracket) {
    const bool hadItems = fOpenHasItems.back();
    fOpenHasItems.pop_back();
    if (hadItems) {
        fBuffer += '\n';
    }
    Indent(fOpenHasItems.size());
    fBuffer += bracket;
    FlushWhenFull();
}

// A value after a key stands on the key's line; an array item gets its own.
void TJsonStreamWriter::BeforeValue() {
    if (fAfterKey) {
        fAfterKey = false;
    } else if (!fOpenHasItems.empty()) {
        Separate();
    }
}

void TJsonStreamWriter::Separate() {
    if (fOpenHasItems.back()) {
        fBuffer += ",\n";
    }
    fOpenHasItems.back() = true;
    Indent(fOpenHasItems.size());
}

void TJsonStreamWriter::Indent(size_t depth) {
    fBuffer.append(4 * depth, ' ');
}

void TJsonStreamWriter::FlushWhenFull() {
    if (fBuffer.size() >= kFlushSize) {
        WriteOut();
    }
}

void TJsonStreamWriter::WriteOut() {
    if (std::fwrite(fBuffer.data(), 1, fBuffer.size(), fOut) != fBuffer.size()) {
        fFailed = true;
    }
    fBuffer.clear(); // keeps the room
}

} // namespace zov
