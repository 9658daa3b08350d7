#include "platform/stream/FileIO.h"

#include "platform/types/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace zov {

QByteArray ReadFileBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFOpenError(Exception::Format(
            SFOpenErrorEx, {QDir::toNativeSeparators(fileName), file.errorString()}));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw EFOpenError(Exception::Format(
            SFOpenErrorEx, {QDir::toNativeSeparators(fileName), file.errorString()}));
    }
    return bytes;
}

void WriteFileBytes(const QString& fileName, const QByteArray& bytes) {
    TSafeFileWriter writer(fileName);
    writer.Write(bytes.constData(), bytes.size());
    writer.Commit();
}

TSafeFileWriter::TSafeFileWriter(const QString& fileName) : fFile(fileName), fFileName(fileName) {
    if (!fFile.open(QIODevice::WriteOnly)) {
        Fail();
    }
}

bool TSafeFileWriter::TryWrite(const void* data, int64_t size) {
    if (!fFailed && fFile.write(static_cast<const char*>(data), size) != size) {
        fFailed = true;
    }
    return !fFailed;
}

void TSafeFileWriter::Write(const void* data, int64_t size) {
    if (!TryWrite(data, size)) {
        Fail();
    }
}

void TSafeFileWriter::Commit() {
    if (fFailed || !fFile.commit()) {
        Fail();
    }
}

void TSafeFileWriter::Fail() {
    const QString reason = fFile.errorString();
    fFile.cancelWriting();
    throw EFCreateError(
        Exception::Format(SFCreateErrorEx, {QDir::toNativeSeparators(fFileName), reason}));
}

} // namespace zov
