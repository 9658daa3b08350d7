#include "FileIO.h"

#include "Exceptions.h"

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
    QSaveFile file(fileName);
    auto fail = [&] {
        throw EFCreateError(Exception::Format(
            SFCreateErrorEx, {QDir::toNativeSeparators(fileName), file.errorString()}));
    };
    if (!file.open(QIODevice::WriteOnly)) {
        fail();
    }
    if (file.write(bytes) != bytes.size()) {
        fail();
    }
    if (!file.commit()) {
        fail();
    }
}

} // namespace zov
