#pragma once

#include "platform/graphics/Paper.h"

#include <QString>
#include <array>
#include <cstdint>

namespace zov {

class TStream;

// A short string of at most 50 single-byte characters in 51 bytes: the length, then
// the characters. Bytes past the length keep whatever they held.
class TZOVstring {
public:
    static constexpr int kMaxLength = 50;
    // The part a graph file holds: the length byte and the first 49 characters.
    static constexpr int kStoredSize = 50;

    QString Text() const;
    // Characters beyond 50 are cut; characters Windows-1252 lacks become '?'.
    void SetText(const QString& text);
    const std::array<uint8_t, kMaxLength + 1>& Bytes() const { return fBytes; }
    // Takes a stored block; a length above 49 counts as 49.
    void SetStored(const std::array<uint8_t, kStoredSize>& block);

    bool operator==(const TZOVstring&) const = default;

private:
    std::array<uint8_t, kMaxLength + 1> fBytes{};
};

// What a graph file holds besides its objects.
struct TGraphFileInfo {
    std::array<TZOVstring, 4> Info;
    char Lage = 'L';
    TPaperType PaperType = pA4;

    bool operator==(const TGraphFileInfo&) const = default;
};

// The four bytes a graph file starts with: "0.GS".
void WriteGraphSignature(TStream& stream);
// Throws EGraphStreamError "Invalid stream content" when the signature is missing.
void ReadGraphSignature(TStream& stream);

void WriteGraphTrailer(TStream& stream, const TGraphFileInfo& info);
// Reads as much of the trailer as the stream holds; fields it does not reach keep
// their values. A paper type byte that names no paper type is ignored. True when the
// stream held the whole trailer.
bool ReadGraphTrailer(TStream& stream, TGraphFileInfo& info);

} // namespace zov
