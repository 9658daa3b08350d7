#pragma once

#include <QJsonObject>

namespace zov {

class TRaroviRovoz;

// The graph as JSON: its page information and every object in drawing order with
// its properties; colours as 32-bit colour values, enumerations and sets by name.
QJsonObject GraphToJson(TRaroviRovoz& graph);

} // namespace zov
