#pragma once

#include "platform/types/Input.h"

#include <QCursor>

namespace zov {

// The pointer shape standing for a cursor number.
QCursor ToQCursor(TCursor cursor);

} // namespace zov
