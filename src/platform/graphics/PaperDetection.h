#pragma once

#include "platform/graphics/Paper.h"

#include <QPageSize>
#include <optional>

namespace zov {

// The first paper type of the table whose size, in either orientation, is the page's
// size in whole tenths of a millimetre; papers kept in inches are converted first, so
// Letter and the other inch sizes are found too.
std::optional<TPaperType> PaperTypeOfPage(const QPageSize& page);

// The page size of a paper type for the printer; an invalid size for papers given in
// pixels (custom).
QPageSize PageSizeOf(TPaperType type);

} // namespace zov
