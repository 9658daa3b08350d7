#pragma once

#include <QByteArray>
#include <QString>

namespace zov {

// The whole content of a file; throws EFOpenError naming the file and the reason.
QByteArray ReadFileBytes(const QString& fileName);
// Replaces a file's content through a temporary file in the same folder that is
// renamed over it, so a failed write leaves the old file as it was; throws
// EFCreateError naming the file and the reason.
void WriteFileBytes(const QString& fileName, const QByteArray& bytes);

} // namespace zov
