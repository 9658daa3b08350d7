#pragma once

#include <QString>

namespace zov {

// A hint holds a short part (tool tip) and a long part (status bar) separated by "|".
// The catalogue hands out a new hint with a line feed in place of the "|", so a line
// feed separates the parts the same way.

// The part before the first separator, or the whole hint.
QString ShortHint(const QString& hint);
// The part after the first separator, or the whole hint.
QString LongHint(const QString& hint);

} // namespace zov
