#include "GraphFile.h"

#include "platform/stream/Stream.h"
#include "platform/stream/Windows1252.h"
#include "platform/types/Exceptions.h"

#include <algorithm>

namespace zov {

namespace {

constexpr char kSignature[4] = {'0', '.', 'G', 'S'};

} // namespace

QString TZOVstring::Text() const {
    const size_t length = std::min<size_t>(fBytes[0], kMaxLength);
    return FromWindows1252(std::span(fBytes).subspan(1, length));
}

void TZOVstring::SetText(const QString& text) {
    const QString cut = text.left(kMaxLength);
    fBytes[0] = static_cast<uint8_t>(cut.size());
    for (qsizetype i = 0; i < cut.size(); ++i) {
        fBytes[i + 1] = ToWindows1252(cut[i]);
    }
}

void TZOVstring::SetStored(const std::array<uint8_t, kStoredSize>& block) {
    std::copy(block.begin(), block.end(), fBytes.begin());
    fBytes[0] = std::min<uint8_t>(fBytes[0], kStoredSize - 1);
}

void WriteGraphSignature(TStream& stream) {
    stream.WriteBuffer(kSignature, sizeof kSignature);
}

void ReadGraphSignature(TStream& stream) {
    char bytes[sizeof kSignature] = {};
    if (stream.Read(bytes, sizeof bytes) != sizeof bytes ||
        !std::equal(std::begin(bytes), std::end(bytes), std::begin(kSignature))) {
        throw EGraphStreamError(QString::fromLatin1(SInvalidStreamContent));
    }
}

void WriteGraphTrailer(TStream& stream, const TGraphFileInfo& info) {
    for (const TZOVstring& line : info.Info) {
        stream.WriteBuffer(line.Bytes().data(), TZOVstring::kStoredSize);
    }
    const char lage = info.Lage;
    stream.WriteBuffer(&lage, 1);
    const auto paperType = static_cast<uint8_t>(info.PaperType);
    stream.WriteBuffer(&paperType, 1);
}

bool ReadGraphTrailer(TStream& stream, TGraphFileInfo& info) {
    for (TZOVstring& line : info.Info) {
        std::array<uint8_t, TZOVstring::kStoredSize> block{};
        if (stream.Read(block.data(), block.size()) != static_cast<int64_t>(block.size())) {
            return false;
        }
        line.SetStored(block);
    }
    char lage = 0;
    if (stream.Read(&lage, 1) != 1) {
        return false;
    }
    info.Lage = lage;
    uint8_t paperType = 0;
    if (stream.Read(&paperType, 1) != 1) {
        return false;
    }
    if (paperType < kPaperTypeCount) {
        info.PaperType = static_cast<TPaperType>(paperType);
    }
    return true;
}

} // namespace zov
