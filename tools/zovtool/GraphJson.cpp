#include "GraphJson.h"

#include "graph/control/RaroviRovoz.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "graph/model/NodeShapes.h"
#include "platform/graphics/Color.h"

#include <QJsonArray>

namespace zov {

namespace {

template <typename E, std::size_t N> QString NameOf(E value, const char* const (&names)[N]) {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? QString::fromLatin1(names[index]) : QString::number(index);
}

template <typename Set, std::size_t N> QJsonArray NamesOf(Set set, const char* const (&names)[N]) {
    QJsonArray array;
    for (std::size_t i = 0; i < N; ++i) {
        if (set.Contains(static_cast<typename Set::Element>(i))) {
            array.append(QString::fromLatin1(names[i]));
        }
    }
    return array;
}

QJsonValue IDOrNull(const TGraphObject* object) {
    return object != nullptr ? QJsonValue(static_cast<qint64>(object->ID())) : QJsonValue();
}

QJsonObject FontToJson(const TFont& font) {
    const std::optional<QString> charset = CharsetToIdent(font.Charset());
    return {
        {"name", font.Name()},
        {"height", font.Height()},
        {"color", font.Color()},
        {"charset", charset ? QJsonValue(*charset) : QJsonValue(font.Charset())},
        {"style", NamesOf(font.Style(), kFontStyleNames)},
        {"pitch", NameOf(font.Pitch(), kFontPitchNames)},
        {"quality", NameOf(font.Quality(), kFontQualityNames)},
        {"orientation", font.Orientation()},
    };
}

void AddNode(QJsonObject& json, const TGraphNode& node) {
    json["left"] = node.Left();
    json["top"] = node.Top();
    json["width"] = node.Width();
    json["height"] = node.Height();
    json["alignment"] = NameOf(node.Alignment(), kAlignmentNames);
    json["layout"] = NameOf(node.Layout(), kTextLayoutNames);
    json["margin"] = node.Margin();
    json["nodeOptions"] = NamesOf(node.NodeOptions(), kGraphNodeOptionNames);
    const TRect& m = node.BackgroundMargins();
    json["backgroundMargins"] = QJsonArray{m.Left, m.Top, m.Right, m.Bottom};
    const TGraphic* picture = node.Background().Graphic();
    json["background"] =
        picture != nullptr
            ? QJsonValue(QJsonObject{{"class", picture->ClassName()},
                                     {"size", static_cast<qint64>(picture->Bytes().size())}})
            : QJsonValue();
    if (const auto* text = dynamic_cast<const TTextNode*>(&node)) {
        json["payloadSize"] = static_cast<qint64>(text->Payload().Size());
    }
}

void AddLink(QJsonObject& json, const TGraphLink& link) {
    QJsonArray points;
    for (const TPoint& pt : link.Polyline()) {
        points.append(QJsonArray{pt.X, pt.Y});
    }
    json["points"] = points;
    json["source"] = IDOrNull(link.Source());
    json["target"] = IDOrNull(link.Target());
    json["beginStyle"] = NameOf(link.BeginStyle(), kLinkBeginEndStyleNames);
    json["beginSize"] = link.BeginSize();
    json["endStyle"] = NameOf(link.EndStyle(), kLinkBeginEndStyleNames);
    json["endSize"] = link.EndSize();
    json["linkOptions"] = NamesOf(link.LinkOptions(), kGraphLinkOptionNames);
    json["textPosition"] = link.TextPosition();
    json["textSpacing"] = link.TextSpacing();
}

QJsonObject ObjectToJson(const TGraphObject& object) {
    QJsonObject json{
        {"class", object.ClassType().Name},
        {"id", static_cast<qint64>(object.ID())},
        {"text", object.Text()},
        {"hint", object.Hint()},
        {"brush", QJsonObject{{"color", object.Brush().Color()},
                              {"style", NameOf(object.Brush().Style(), kBrushStyleNames)}}},
        {"pen", QJsonObject{{"color", object.Pen().Color()},
                            {"style", NameOf(object.Pen().Style(), kPenStyleNames)},
                            {"width", object.Pen().Width()},
                            {"mode", NameOf(object.Pen().Mode(), kPenModeNames)}}},
        {"parentFont", object.ParentFont()},
        {"font", FontToJson(object.Font())},
        {"options", NamesOf(object.Options(), kGraphObjectOptionNames)},
        {"visible", object.Visible()},
        {"tag", object.Tag()},
    };
    if (const auto* node = dynamic_cast<const TGraphNode*>(&object)) {
        AddNode(json, *node);
    } else if (const auto* link = dynamic_cast<const TGraphLink*>(&object)) {
        AddLink(json, *link);
    }
    return json;
}

} // namespace

QJsonObject GraphToJson(TRaroviRovoz& graph) {
    QJsonArray info;
    for (int i = 0; i < 4; ++i) {
        info.append(graph.Info(i));
    }
    QJsonArray objects;
    for (int32_t i = 0; i < graph.Objects().Count(); ++i) {
        objects.append(ObjectToJson(*graph.Objects().Items(i)));
    }
    return {
        {"info", info},
        {"orientation", QString(QChar::fromLatin1(graph.Lage()))},
        {"paperType", static_cast<int>(graph.PaperType())},
        {"objects", objects},
    };
}

} // namespace zov
