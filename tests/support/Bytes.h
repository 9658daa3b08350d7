#pragma once

#include <QByteArray>

#include <initializer_list>

namespace zov::test {

// Bytes given by their values, for writing expected stream contents.
inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) {
        bytes.append(static_cast<char>(v));
    }
    return bytes;
}

// A short string as streams store it: one length byte, then the UTF-8 bytes.
inline QByteArray Short(const char* text) {
    const QByteArray utf8(text);
    return QByteArray(1, static_cast<char>(utf8.size())) + utf8;
}

} // namespace zov::test
