#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <cstdint>

namespace zov {

// The whole content of a file; throws EFOpenError naming the file and the reason.
QByteArray ReadFileBytes(const QString& fileName);
// Replaces a file's content through a temporary file in the same folder that is
// renamed over it, so a failed write leaves the old file as it was; throws
// EFCreateError naming the file and the reason.
void WriteFileBytes(const QString& fileName, const QByteArray& bytes);

// Writes a file piece by piece the same way: the file appears only on Commit, and
// every failure throws EFCreateError; destroying the writer uncommitted discards
// what was written.
class TSafeFileWriter {
public:
    explicit TSafeFileWriter(const QString& fileName);
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

    void Write(const void* data, int64_t size);
    // For callers that cannot throw (C callbacks): false on failure, which the next
    // Write or Commit reports.
    bool TryWrite(const void* data, int64_t size);
    // The writer for Qt's own encoders, such as PDF and SVG.
    QIODevice& Device() { return fFile; }
    void Commit();

private:
    [[noreturn]] void Fail();

    QSaveFile fFile;
    QString fFileName;
    bool fFailed = false;
};

} // namespace zov
