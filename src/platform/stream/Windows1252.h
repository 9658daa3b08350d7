#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace zov {

// Windows-1252, the single-byte code page of the texts graph files and component
// streams hold. The five bytes the code page leaves undefined stand for the control
// characters of the same number, so every byte reads and writes back unchanged.
QString FromWindows1252(std::span<const uint8_t> bytes);
// The byte of a character; '?' for a character the code page does not have.
uint8_t ToWindows1252(QChar c);

} // namespace zov
