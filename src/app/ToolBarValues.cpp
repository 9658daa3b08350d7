#include "app/ToolBarValues.h"

namespace zov {

std::optional<int> ToolBarInteger(const QString& text, int minimum, int maximum) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

} // namespace zov
