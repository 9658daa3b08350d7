#include "Windows1252.h"

#include <algorithm>
#include <iterator>

namespace zov {
namespace {

// 0x80..0x9F; elsewhere a byte is the Latin-1 character of the same number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
constexpr uint8_t kFirstHigh = 0x80;
constexpr uint8_t kFirstLatin1 = 0xA0;

} // namespace

QString FromWindows1252(std::span<const uint8_t> bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const uint8_t b : bytes) {
        *out++ = QChar(b >= kFirstHigh && b < kFirstLatin1 ? kHighControls[b - kFirstHigh]
                                                           : char16_t{b});
    }
    return text;
}

uint8_t ToWindows1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < kFirstHigh || (u >= kFirstLatin1 && u <= 0xFF)) {
        return static_cast<uint8_t>(u);
    }
    const auto* found = std::find(std::begin(kHighControls), std::end(kHighControls), u);
    return found != std::end(kHighControls)
               ? static_cast<uint8_t>(kFirstHigh + (found - std::begin(kHighControls)))
               : uint8_t{'?'};
}

} // namespace zov
