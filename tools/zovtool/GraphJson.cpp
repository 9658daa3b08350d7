#include "GraphJson.h"

#include "JsonStreamWriter.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "graph/model/NodeShapes.h"
#include "platform/graphics/Color.h"

#include <algorithm>
#include <string_view>

namespace zov {

namespace {

// An enumeration value by name; a value outside the names as its number, in quotes.
template <typename E, std::size_t N>
void WriteName(TJsonStreamWriter& json, E value, const char* const (&names)[N]) {
    const auto index = static_cast<std::size_t>(value);
    if (index < N) {
        json.Value(QLatin1StringView(names[index]));
    } else {
        json.Value(QString::number(index));
    }
}

template <typename Set, std::size_t N>
void WriteNames(TJsonStreamWriter& json, Set set, const char* const (&names)[N]) {
    json.BeginArray();
    for (std::size_t i = 0; i < N; ++i) {
        if (set.Contains(static_cast<typename Set::Element>(i))) {
            json.Value(QLatin1StringView(names[i]));
        }
    }
    json.EndArray();
}

void WriteIDOrNull(TJsonStreamWriter& json, const TGraphObject* object) {
    if (object != nullptr) {
        json.Value(int64_t{object->ID()});
    } else {
        json.Null();
    }
}

void WriteFont(TJsonStreamWriter& json, const TFont& font) {
    json.BeginObject();
    json.Key("charset");
    if (const std::optional<QString> charset = CharsetToIdent(font.Charset())) {
        json.Value(*charset);
    } else {
        json.Value(int64_t{font.Charset()});
    }
    json.Key("color");
    json.Value(int64_t{font.Color()});
    json.Key("height");
    json.Value(int64_t{font.Height()});
    json.Key("name");
    json.Value(font.Name());
    json.Key("orientation");
    json.Value(int64_t{font.Orientation()});
    json.Key("pitch");
    WriteName(json, font.Pitch(), kFontPitchNames);
    json.Key("quality");
    WriteName(json, font.Quality(), kFontQualityNames);
    json.Key("style");
    WriteNames(json, font.Style(), kFontStyleNames);
    json.EndObject();
}

void WriteBrush(TJsonStreamWriter& json, const TBrush& brush) {
    json.BeginObject();
    json.Key("color");
    json.Value(int64_t{brush.Color()});
    json.Key("style");
    WriteName(json, brush.Style(), kBrushStyleNames);
    json.EndObject();
}

void WritePen(TJsonStreamWriter& json, const TPen& pen) {
    json.BeginObject();
    json.Key("color");
    json.Value(int64_t{pen.Color()});
    json.Key("mode");
    WriteName(json, pen.Mode(), kPenModeNames);
    json.Key("style");
    WriteName(json, pen.Style(), kPenStyleNames);
    json.Key("width");
    json.Value(int64_t{pen.Width()});
    json.EndObject();
}

void WriteBackground(TJsonStreamWriter& json, const TGraphNode& node) {
    const TGraphic* picture = node.Background().Graphic();
    if (picture == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("class");
    json.Value(picture->ClassName());
    json.Key("size");
    json.Value(int64_t{picture->Bytes().size()});
    json.EndObject();
}

void WriteRect(TJsonStreamWriter& json, const TRect& r) {
    json.BeginArray();
    for (const int32_t value : {r.Left, r.Top, r.Right, r.Bottom}) {
        json.Value(int64_t{value});
    }
    json.EndArray();
}

void WritePoints(TJsonStreamWriter& json, const TPoints& points) {
    json.BeginArray();
    for (const TPoint& pt : points) {
        json.BeginArray();
        json.Value(int64_t{pt.X});
        json.Value(int64_t{pt.Y});
        json.EndArray();
    }
    json.EndArray();
}

// One object and what it is, found out once.
struct TObjectView {
    const TGraphObject& Object;
    const TGraphNode* Node;
    const TGraphLink* Link;
    const TTextNode* TextNode;
};

enum class TFieldOf : uint8_t { Every, Nodes, TextNodes, Links };

struct TField {
    const char* Key;
    TFieldOf Of;
    void (*Write)(TJsonStreamWriter& json, const TObjectView& view);
};

// The fields of an object, sorted by key as an indented QJsonDocument lists them.
constexpr TField kFields[] = {
    {"alignment", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteName(j, v.Node->Alignment(), kAlignmentNames);
     }},
    {"background", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteBackground(j, *v.Node);
     }},
    {"backgroundMargins", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteRect(j, v.Node->BackgroundMargins());
     }},
    {"beginSize", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Link->BeginSize()});
     }},
    {"beginStyle", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteName(j, v.Link->BeginStyle(), kLinkBeginEndStyleNames);
     }},
    {"brush", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteBrush(j, v.Object.Brush());
     }},
    {"class", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(v.Object.ClassType().Name);
     }},
    {"endSize", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Link->EndSize()});
     }},
    {"endStyle", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteName(j, v.Link->EndStyle(), kLinkBeginEndStyleNames);
     }},
    {"font", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteFont(j, v.Object.Font());
     }},
    {"height", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Node->Height()});
     }},
    {"hint", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(v.Object.Hint());
     }},
    {"id", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Object.ID()});
     }},
    {"layout", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteName(j, v.Node->Layout(), kTextLayoutNames);
     }},
    {"left", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Node->Left()});
     }},
    {"linkOptions", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteNames(j, v.Link->LinkOptions(), kGraphLinkOptionNames);
     }},
    {"margin", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Node->Margin()});
     }},
    {"nodeOptions", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteNames(j, v.Node->NodeOptions(), kGraphNodeOptionNames);
     }},
    {"options", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteNames(j, v.Object.Options(), kGraphObjectOptionNames);
     }},
    {"parentFont", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(v.Object.ParentFont());
     }},
    {"payloadSize", TFieldOf::TextNodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.TextNode->Payload().Size()});
     }},
    {"pen", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WritePen(j, v.Object.Pen());
     }},
    {"points", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WritePoints(j, v.Link->Polyline());
     }},
    {"source", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteIDOrNull(j, v.Link->Source());
     }},
    {"tag", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Object.Tag()});
     }},
    {"target", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         WriteIDOrNull(j, v.Link->Target());
     }},
    {"text", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(v.Object.Text());
     }},
    {"textPosition", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Link->TextPosition()});
     }},
    {"textSpacing", TFieldOf::Links,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Link->TextSpacing()});
     }},
    {"top", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Node->Top()});
     }},
    {"visible", TFieldOf::Every,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(v.Object.Visible());
     }},
    {"width", TFieldOf::Nodes,
     [](TJsonStreamWriter& j, const TObjectView& v) {
         j.Value(int64_t{v.Node->Width()});
     }},
};
static_assert(std::is_sorted(std::begin(kFields), std::end(kFields),
                             [](const TField& a, const TField& b) {
                                 return std::string_view(a.Key) < std::string_view(b.Key);
                             }),
              "fields must be sorted by key");

bool Applies(TFieldOf of, const TObjectView& view) {
    switch (of) {
    case TFieldOf::Every:
        return true;
    case TFieldOf::Nodes:
        return view.Node != nullptr;
    case TFieldOf::TextNodes:
        return view.TextNode != nullptr;
    case TFieldOf::Links:
        return view.Link != nullptr;
    }
    return false;
}

void WriteObject(TJsonStreamWriter& json, const TGraphObject& object) {
    const auto* node = dynamic_cast<const TGraphNode*>(&object);
    const TObjectView view{object, node,
                           node == nullptr ? dynamic_cast<const TGraphLink*>(&object) : nullptr,
                           dynamic_cast<const TTextNode*>(node)};
    json.BeginObject();
    for (const TField& field : kFields) {
        if (Applies(field.Of, view)) {
            json.Key(field.Key);
            field.Write(json, view);
        }
    }
    json.EndObject();
}

} // namespace

bool WriteGraphJson(TGraphDocument& graph, std::FILE* out) {
    TJsonStreamWriter json(out);
    json.BeginObject();
    json.Key("info");
    json.BeginArray();
    for (int i = 0; i < 4; ++i) {
        json.Value(graph.Info(i));
    }
    json.EndArray();
    json.Key("objects");
    json.BeginArray();
    for (int32_t i = 0; i < graph.Objects().Count(); ++i) {
        WriteObject(json, *graph.Objects().Items(i));
    }
    json.EndArray();
    json.Key("orientation");
    json.Value(QString(QChar::fromLatin1(graph.Lage())));
    json.Key("paperType");
    json.Value(int64_t{graph.PaperType()});
    json.EndObject();
    return json.Finish();
}

} // namespace zov
