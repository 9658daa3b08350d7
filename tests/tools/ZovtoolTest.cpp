#include "JsonStreamWriter.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace zov {
namespace {

struct ToolRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

ToolRun Zovtool(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the tool picks its platform itself
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZOVTOOL_PATH), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

class ZovtoolTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(ZovtoolTest, DumpPrintsTheGraphAsJson) {
    TGraphDocument graph;
    TGraphNode* start = graph.InsertNode({100, 60, 220, 110});
    start->SetText(QStringLiteral("Start"));
    start->Font().SetStyle({fsBold});
    TGraphNode* end = graph.InsertNode({300, 60, 400, 110}, &TEllipticNode::Class());
    auto* text =
        static_cast<TTextNode*>(graph.InsertNode({100, 300, 300, 400}, &TTextNode::Class()));
    text->Payload().WriteBuffer("{\\rtf1}", 7);
    TGraphLink* link = graph.InsertLink(start, end);
    ASSERT_NE(link, nullptr);
    link->SetEndStyle(lsArrow);
    graph.SetInfo(0, QStringLiteral("first line"));
    graph.SetLage('P');
    graph.SaveToFile(Path("graph.zov"));

    const ToolRun run = Zovtool({QStringLiteral("dump"), Path("graph.zov")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.constData();

    EXPECT_EQ(json["info"].toArray().at(0).toString(), QStringLiteral("first line"));
    EXPECT_EQ(json["orientation"].toString(), QStringLiteral("P"));
    EXPECT_EQ(json["paperType"].toInt(), 8);
    const QJsonArray objects = json["objects"].toArray();
    ASSERT_EQ(objects.size(), 4);

    const QJsonObject node = objects[0].toObject();
    EXPECT_EQ(node["class"].toString(), QStringLiteral("TRectangularNode"));
    EXPECT_EQ(node["id"].toInt(), 1);
    EXPECT_EQ(node["text"].toString(), QStringLiteral("Start"));
    EXPECT_EQ(node["left"].toInt(), 100);
    EXPECT_EQ(node["height"].toInt(), 50);
    EXPECT_EQ(node["brush"]["style"].toString(), QStringLiteral("bsSolid"));
    EXPECT_EQ(node["brush"]["color"].toInteger(), static_cast<qint64>(clWhite));
    EXPECT_EQ(node["pen"]["mode"].toString(), QStringLiteral("pmCopy"));
    EXPECT_EQ(node["font"]["style"].toArray(), QJsonArray{QStringLiteral("fsBold")});
    EXPECT_EQ(node["font"]["charset"].toString(), QStringLiteral("DEFAULT_CHARSET"));
    EXPECT_FALSE(node["parentFont"].toBool());
    EXPECT_EQ(node["nodeOptions"].toArray().size(), 3);
    EXPECT_TRUE(node["background"].isNull());
    EXPECT_FALSE(node.contains("payloadSize"));

    EXPECT_EQ(objects[1].toObject()["class"].toString(), QStringLiteral("TEllipticNode"));
    EXPECT_EQ(objects[2].toObject()["payloadSize"].toInt(), 7);

    const QJsonObject edge = objects[3].toObject();
    EXPECT_EQ(edge["class"].toString(), QStringLiteral("TGraphLink"));
    EXPECT_EQ(edge["source"].toInt(), 1);
    EXPECT_EQ(edge["target"].toInt(), 2);
    EXPECT_EQ(edge["endStyle"].toString(), QStringLiteral("lsArrow"));
    EXPECT_EQ(edge["points"].toArray().size(), 2);
    EXPECT_EQ(edge["points"][0].toArray().size(), 2);
}

TEST_F(ZovtoolTest, DumpWritesTheIndentedJsonLayoutByteForByte) {
    QFile expected(QStringLiteral(ZOV_TEST_DATA "/seeds/all_objects.json"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    const ToolRun run = Zovtool(
        {QStringLiteral("dump"), QStringLiteral(ZOV_FUZZ_CORPUS "/graph_file/all_objects.zov")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, expected.readAll());
}

// The fuzzer's seed graphs dump and export to recorded bytes: reading, drawing and
// writing every format stay exactly as they are.
TEST_F(ZovtoolTest, SeedGraphsDumpAndExportToTheRecordedBytes) {
    for (const char* seed : {"all_objects", "older_records", "start", "ten_shapes"}) {
        const QString input = QStringLiteral(ZOV_FUZZ_CORPUS "/graph_file/%1.zov").arg(seed);
        const QString recorded = QStringLiteral(ZOV_TEST_DATA "/seeds/%1.").arg(seed);
        auto recordedBytes = [&](const QString& extension) {
            QFile file(recorded + extension);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            return file.readAll();
        };
        SCOPED_TRACE(seed);
        const ToolRun dump = Zovtool({QStringLiteral("dump"), input});
        ASSERT_EQ(dump.exitCode, 0) << dump.err.constData();
        EXPECT_EQ(dump.out, recordedBytes(QStringLiteral("json")));
        for (const QString& extension :
             {QStringLiteral("emf"), QStringLiteral("svg"), QStringLiteral("png")}) {
            const QString output = dir.filePath(QStringLiteral("out.") + extension);
            const ToolRun run = Zovtool({QStringLiteral("export"), input, output});
            ASSERT_EQ(run.exitCode, 0) << run.err.constData();
            QFile out(output);
            ASSERT_TRUE(out.open(QIODevice::ReadOnly));
            EXPECT_EQ(out.readAll(), recordedBytes(extension)) << extension.toStdString();
        }
    }
}

// The tool reads, writes and exports graphs without any window code.
TEST(ZovtoolLinkTest, ToolNeedsNoWidgetLibrary) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(ZOVTOOL_PATH)});
    if (!ldd.waitForFinished(60000) || ldd.exitCode() != 0) {
        GTEST_SKIP() << "ldd cannot list the tool's libraries here";
    }
    const QByteArray libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libQt6Gui")) << libraries.constData();
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.constData();
}

// Strings that need JSON's escapes, UTF-8 or \u escapes come out as QJsonDocument
// writes them.
TEST(JsonStreamWriterTest, StringsAreWrittenAsQJsonDocumentWritesThem) {
    const QString texts[] = {
        QStringLiteral("plain"),
        QStringLiteral("quote \" backslash \\ slash /"),
        QStringLiteral("\b\f\n\r\t"),
        QString(QChar(0x01)) + QChar(0x1F) + QChar(0x7F),
        QString::fromUtf8("\u00E9\u20AC\U0001D11E"),
        QString(QChar(0xD800)) + QStringLiteral("x") + QChar(0xDC00),
        QString(),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        TJsonStreamWriter json(file);
        json.BeginObject();
        json.Key("list");
        json.BeginArray();
        json.Value(text);
        json.EndArray();
        json.Key("none");
        json.BeginArray();
        json.EndArray();
        json.EndObject();
        ASSERT_TRUE(json.Finish());
        std::rewind(file);
        QFile written;
        ASSERT_TRUE(written.open(file, QIODevice::ReadOnly));
        const QJsonObject object{{"list", QJsonArray{text}}, {"none", QJsonArray{}}};
        EXPECT_EQ(written.readAll(), QJsonDocument(object).toJson(QJsonDocument::Indented));
        written.close();
        std::fclose(file);
    }
}

TEST_F(ZovtoolTest, UnreadableFilesGiveOneErrorLine) {
    QFile text(Path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a graph\n");
    text.close();
    for (const char* name : {"missing.zov", "notes.txt"}) {
        SCOPED_TRACE(name);
        const ToolRun run = Zovtool({QStringLiteral("dump"), Path(name)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.startsWith("zovtool: ")) << run.err.constData();
        EXPECT_TRUE(run.err.contains(name)) << run.err.constData();
    }
}

TEST_F(ZovtoolTest, ExportWritesEveryFormatByItsExtension) {
    TGraphDocument graph;
    TGraphNode* a = graph.InsertNode({100, 60, 220, 110});
    a->SetText(QStringLiteral("Export"));
    TGraphNode* b = graph.InsertNode({300, 60, 400, 110}, &TEllipticNode::Class());
    graph.InsertLink(a, b)->SetEndStyle(lsArrow);
    graph.SaveToFile(Path("graph.zov"));
    const TRect bounds = graph.BoundsOfObjects(graph.Objects());

    struct Case {
        const char* name;
        QByteArray magic;
        int offset;
    };
    for (const Case& c :
         {Case{"out.emf", " EMF", 40}, Case{"out.bmp", "BM", 0}, Case{"out.png", "\x89PNG", 0},
          Case{"out.svg", "<?xml", 0}, Case{"out.PDF", "%PDF", 0}}) {
        SCOPED_TRACE(c.name);
        const ToolRun run = Zovtool({QStringLiteral("export"), Path("graph.zov"), Path(c.name)});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
        QFile out(Path(c.name));
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        EXPECT_EQ(out.readAll().mid(c.offset, c.magic.size()), c.magic);
    }
    // The pictures have the objects' size, one graph unit per pixel.
    for (const char* name : {"out.bmp", "out.png"}) {
        const QImage image(Path(name));
        EXPECT_EQ(image.size(), QSize(bounds.Width() + 1, bounds.Height() + 1)) << name;
        EXPECT_EQ(image.pixel(0, 25), qRgb(0, 0, 0)) << name; // the node's left edge
        EXPECT_EQ(image.pixel(150, 1), qRgb(255, 255, 255)) << name;
    }
    // Both bitmap files hold the same pixels, whatever their compression.
    EXPECT_EQ(QImage(Path("out.png")).convertToFormat(QImage::Format_RGB32),
              QImage(Path("out.bmp")).convertToFormat(QImage::Format_RGB32));
}

TEST_F(ZovtoolTest, FailedExportsLeaveNoFileBehind) {
    TGraphDocument graph;
    graph.InsertNode({100, 60, 220, 110});
    graph.SaveToFile(Path("graph.zov"));
    struct Case {
        QString input;
        QString output;
    };
    for (const Case& c :
         {Case{Path("graph.zov"), Path("out.gif")}, Case{Path("missing.zov"), Path("out.png")},
          Case{Path("graph.zov"), Path("no/such/folder/out.png")},
          Case{Path("graph.zov"), Path("no/such/folder/out.svg")}}) {
        SCOPED_TRACE(c.output.toStdString());
        const ToolRun run = Zovtool({QStringLiteral("export"), c.input, c.output});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.startsWith("zovtool: ")) << run.err.constData();
        EXPECT_FALSE(QFile::exists(c.output));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("graph.zov")});
}

TEST_F(ZovtoolTest, RtfConvertsByTheOutputExtension) {
    QFile rtf(Path("in.rtf"));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
              "\\pard\\qc\\li720\\sa120\\sl360\\slmult1\\f0\\fs20 Hello {\\b\\cf1 world}\\par"
              "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
              "\\pard{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}caf\\'e9\\par}");
    rtf.close();
    for (const char* name : {"out.txt", "out.html", "out.rtf", "out.json", "out.png", "out.pdf"}) {
        SCOPED_TRACE(name);
        const ToolRun run = Zovtool({QStringLiteral("rtf"), Path("in.rtf"), Path(name)});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    }
    const auto read = [this](const char* name) {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    };
    EXPECT_EQ(read("out.txt"), QString::fromUtf8("Hello world\na\nb\ncafé\n").toUtf8());
    EXPECT_TRUE(read("out.html").contains("world")) << read("out.html").constData();
    EXPECT_TRUE(read("out.rtf").startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    EXPECT_TRUE(read("out.pdf").startsWith("%PDF"));
    EXPECT_EQ(QImage(Path("out.png")).width(), 605); // 16 cm at 96 dpi

    const QJsonObject json = QJsonDocument::fromJson(read("out.json")).object();
    const QJsonArray blocks = json["blocks"].toArray();
    ASSERT_EQ(blocks.size(), 4);
    const QJsonObject hello = blocks[0].toObject();
    EXPECT_EQ(hello["text"], "Hello world");
    EXPECT_EQ(hello["align"], "center");
    EXPECT_EQ(hello["leftIndent"], 720);
    EXPECT_EQ(hello["spaceAfter"], 120);
    EXPECT_EQ(hello["lineSpacing"].toObject(), (QJsonObject{{"rule", "multiple"}, {"value", 1.5}}));
    EXPECT_TRUE(hello["list"].isNull());
    EXPECT_TRUE(hello["cell"].isNull());
    const QJsonObject world = hello["runs"].toArray()[1].toObject();
    EXPECT_EQ(world, (QJsonObject{{"text", "world"},
                                  {"font", "Arial"},
                                  {"size", 10},
                                  {"bold", true},
                                  {"italic", false},
                                  {"underline", false},
                                  {"strike", false},
                                  {"color", "#FF0000"},
                                  {"highlight", QJsonValue()}}));
    EXPECT_EQ(blocks[2].toObject()["cell"].toArray(), (QJsonArray{0, 0, 1}));
    EXPECT_EQ(blocks[3].toObject()["list"].toObject(),
              (QJsonObject{{"style", "disc"}, {"level", 0}}));
    EXPECT_EQ(json["tables"].toArray(), (QJsonArray{QJsonObject{{"rows", 1}, {"columns", 2}}}));
    EXPECT_EQ(json["images"].toArray(), QJsonArray());
}

TEST_F(ZovtoolTest, RtfOfUnreadableFilesGivesOneErrorLine) {
    QFile text(Path("notes.rtf"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain words\n");
    text.close();
    for (const char* name : {"missing.rtf", "notes.rtf"}) {
        SCOPED_TRACE(name);
        const ToolRun run = Zovtool({QStringLiteral("rtf"), Path(name), Path("out.txt")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.contains(name)) << run.err.constData();
        EXPECT_FALSE(QFile::exists(Path("out.txt")));
    }
}

} // namespace
} // namespace zov
