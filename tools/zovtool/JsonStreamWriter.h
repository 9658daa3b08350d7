#pragma once

#include <QLatin1StringView>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zov {

// Writes JSON while the caller walks its data, so a large graph is never held a
// second time as a document. The layout is that of QJsonDocument's indented form:
// four blanks per level, "key": value, non-ASCII text as UTF-8. Keys are written in
// the order given; the caller gives them sorted to match that form exactly.
class TJsonStreamWriter {
public:
    explicit TJsonStreamWriter(std::FILE* out);
    TJsonStreamWriter(const TJsonStreamWriter&) = delete;
    TJsonStreamWriter& operator=(const TJsonStreamWriter&) = delete;

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // An ASCII key of the open object; its value follows.
    void Key(const char* key);
    void Value(int64_t value);
    void Value(bool value);
    void Value(const QString& text);
    void Value(QLatin1StringView text);
    void Null();
    // Ends the document and writes what is buffered; false when writing failed.
    bool Finish();

private:
    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void Separate();
    void Indent(size_t depth);
    void FlushWhenFull();
    void WriteOut();

    std::FILE* fOut;
    std::string fBuffer;
    std::vector<bool> fOpenHasItems; // per open container: something written in it
    bool fAfterKey = false;
    bool fFailed = false;
};

} // namespace zov
