#pragma once

#include <QByteArray>
#include <QtEndian>
#include <concepts>
#include <cstdint>

namespace zov {

// A sequence of bytes with a position, read and written in place: the common base of
// memory and file streams.
class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to count bytes; returns how many were read.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes count bytes at the position, growing the stream as needed.
    virtual void Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Position() const = 0;
    // Clamped to 0..Size().
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t Size() const = 0;

    int64_t Remaining() const { return Size() - Position(); }
    // Reads exactly count bytes or throws EReadError, reading nothing.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count) { Write(buffer, count); }
    // Copies count bytes from source at its position; throws when source is short.
    void CopyFrom(TStream& source, int64_t count);

    // Integers in little-endian byte order, as every format here stores them, taking
    // sizeof(T) bytes. Reading throws EReadError, reading nothing, when fewer remain.
    template <std::integral T> T ReadLE() {
        T value{};
        ReadBuffer(&value, sizeof value);
        return qFromLittleEndian(value);
    }
    template <std::integral T> void WriteLE(T value) {
        const T le = qToLittleEndian(value);
        WriteBuffer(&le, sizeof le);
    }
};

// A stream over bytes held in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(QByteArray bytes) : fBytes(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    void Write(const void* buffer, int64_t count) override;
    int64_t Position() const override { return fPosition; }
    void SetPosition(int64_t position) override;
    int64_t Size() const override { return fBytes.size(); }

    // Cuts or extends (with zeros) the stream; the position stays within it.
    void SetSize(int64_t size);
    void Clear();
    const QByteArray& Bytes() const { return fBytes; }

private:
    QByteArray fBytes;
    int64_t fPosition = 0;
};

} // namespace zov
