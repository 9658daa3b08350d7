#pragma once

#include <QString>

namespace zov {

// A class name as users read it: without its leading letter, words split before each
// character that is not a lower-case ASCII letter, and without its first " Node".
// "TRoundRectangularNode" gives "Round Rectangular", "TTextNode" gives "Text".
QString ClassDisplayName(const QString& className);

} // namespace zov
