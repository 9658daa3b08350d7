#include "platform/stream/Stream.h"

#include "platform/types/Exceptions.h"

#include <algorithm>
#include <cstring>

namespace zov {

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count < 0 || count > Remaining()) {
        throw EReadError(QString::fromUtf8(SReadError));
    }
    if (count > 0 && Read(buffer, count) != count) {
        throw EReadError(QString::fromUtf8(SReadError));
    }
}

void TStream::CopyFrom(TStream& source, int64_t count) {
    if (count < 0 || count > source.Remaining()) {
        throw EReadError(QString::fromUtf8(SReadError));
    }
    char chunk[8192];
    while (count > 0) {
        const int64_t n = std::min<int64_t>(count, sizeof chunk);
        source.ReadBuffer(chunk, n);
        Write(chunk, n);
        count -= n;
    }
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t n = std::clamp<int64_t>(count, 0, Size() - fPosition);
    if (n > 0) {
        std::memcpy(buffer, fBytes.constData() + fPosition, static_cast<size_t>(n));
        fPosition += n;
    }
    return n;
}

void TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) {
        return;
    }
    const int64_t end = fPosition + count;
    if (end > Size()) {
        fBytes.resize(end);
    }
    std::memcpy(fBytes.data() + fPosition, buffer, static_cast<size_t>(count));
    fPosition = end;
}

void TMemoryStream::SetPosition(int64_t position) {
    fPosition = std::clamp<int64_t>(position, 0, Size());
}

void TMemoryStream::SetSize(int64_t size) {
    const int64_t old = Size();
    fBytes.resize(std::max<int64_t>(size, 0));
    if (size > old) {
        std::memset(fBytes.data() + old, 0, static_cast<size_t>(size - old));
    }
    fPosition = std::min(fPosition, Size());
}

void TMemoryStream::Clear() {
    fBytes.clear();
    fPosition = 0;
}

} // namespace zov
