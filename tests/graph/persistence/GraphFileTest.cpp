#include "graph/model/NodeShapes.h"
#include "graph/persistence/GraphStreams.h"
#include "platform/types/Exceptions.h"
#include "support/Bytes.h"
#include "support/DocumentFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <set>

namespace zov {
namespace {

using test::Bytes;
using test::DocumentTest;
using test::Short;

// The body of a node with the given ID and caption at (100, 60) sized 120 x 50.
QByteArray NodeBody(int id, const char* caption) {
    return QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) + Short("ID") +
           Bytes({2, id}) + Short("G.Text") + Bytes({6}) + Short(caption) + Short("G.Left") +
           Bytes({2, 0x64}) + Short("G.Top") + Bytes({2, 0x3C}) + Short("G.Width") +
           Bytes({2, 0x78}) + Short("G.Height") + Bytes({2, 0x32}) + Bytes({0, 0});
}

QByteArray Int32(int32_t value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Utf16Name(const char* name) {
    QByteArray field;
    for (const char* c = name; *c != '\0'; ++c) {
        field.append(*c).append('\0');
    }
    return Int32(static_cast<int32_t>(field.size() + 1)) + field + Bytes({0});
}

QByteArray AnsiName(const char* name) {
    return Int32(static_cast<int32_t>(qstrlen(name))) + QByteArray(name);
}

QByteArray InfoBlock(const char* text) {
    QByteArray block = Short(text);
    block.resize(50, '\0');
    return block;
}

class GraphFileTest : public DocumentTest {
protected:
    QByteArray Save() {
        TMemoryStream stream;
        graph->SaveToStream(stream);
        return stream.Bytes();
    }
    void Load(const QByteArray& bytes) {
        TMemoryStream stream(bytes);
        graph->LoadFromStream(stream);
    }
    void Merge(const QByteArray& bytes, int32_t dX = 0, int32_t dY = 0) {
        TMemoryStream stream(bytes);
        graph->MergeFromStream(stream, dX, dY);
    }
    TGraphNode* NodeAt(int32_t index) {
        return dynamic_cast<TGraphNode*>(graph->Objects().Items(index));
    }
    // The graph file of one rectangle "Start" with ID 1, information lines "1" .. "4",
    // landscape A4.
    static QByteArray StartFile() {
        return QByteArray("0.GS") + Int32(1) + Utf16Name("TRectangularNode") +
               NodeBody(1, "Start") + InfoBlock("1") + InfoBlock("2") + InfoBlock("3") +
               InfoBlock("4") + QByteArray("L") + Bytes({8});
    }
};

TEST_F(GraphFileTest, OneNodeGraphIsWrittenByteForByte) {
    Node({100, 60, 220, 110})->SetText(QStringLiteral("Start"));
    for (int i = 0; i < 4; ++i) {
        graph->SetInfo(i, QString::number(i + 1));
    }
    const QByteArray bytes = Save();
    EXPECT_EQ(bytes.size(), 334);
    EXPECT_EQ(bytes.toHex(' '), StartFile().toHex(' '));
    EXPECT_FALSE(graph->Modified());
}

TEST_F(GraphFileTest, LoadReplacesTheGraphAndLeavesItUnmodified) {
    Node({0, 0, 50, 50});
    Node({60, 0, 110, 50});
    graph->SetCommandMode(cmPan);
    graph->SetPaperType(pA3);
    graph->SetLage('P');
    TakeEvents();

    Load(StartFile());

    ASSERT_EQ(graph->Objects().Count(), 1);
    TGraphNode* node = NodeAt(0);
    EXPECT_EQ(node->ClassType().Name, QStringLiteral("TRectangularNode"));
    EXPECT_EQ(node->ID(), 1u);
    EXPECT_EQ(node->Text(), QStringLiteral("Start"));
    EXPECT_EQ(node->BoundsRect(), (TRect{100, 60, 220, 110}));
    EXPECT_EQ(graph->Info(0), QStringLiteral("1"));
    EXPECT_EQ(graph->Info(3), QStringLiteral("4"));
    EXPECT_EQ(graph->Lage(), 'L');
    EXPECT_EQ(graph->PaperType(), pA4);
    EXPECT_EQ(graph->GraphConstraints().BoundsRect(), (TRect{28, 28, 1197, 855}));
    EXPECT_EQ(graph->CommandMode(), cmEdit);
    EXPECT_FALSE(graph->Modified());
    EXPECT_EQ(graph->FindObjectByID(1), node);
    EXPECT_EQ(graph->FindObjectByID(2), nullptr);
    const auto events = TakeEvents();
    EXPECT_EQ(std::count(events.begin(), events.end(), "GraphChange saved"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "GraphChange modified"), 0);
    EXPECT_EQ(events.back(), "GraphChange saved");
    EXPECT_EQ(std::count(events.begin(), events.end(), "Insert 1"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Remove 2"), 1);
}

TEST_F(GraphFileTest, WrongSignatureLeavesTheGraphUntouched) {
    Node({0, 0, 50, 50});
    QByteArray bytes = StartFile();
    bytes[0] = 'X';
    try {
        Load(bytes);
        FAIL() << "loaded a stream without signature";
    } catch (const EGraphStreamError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid stream content"));
    }
    EXPECT_THROW(Merge(bytes), EGraphStreamError);
    EXPECT_EQ(graph->Objects().Count(), 1);
    EXPECT_TRUE(graph->Modified());
}

TEST_F(GraphFileTest, MergeRenumbersTheNewNodeAndKeepsTheOldOnes) {
    Node({0, 0, 50, 50}, 1);
    Node({60, 0, 110, 50}, 2);
    graph->SetModified(false);
    TakeEvents();

    Merge(StartFile());

    ASSERT_EQ(graph->Objects().Count(), 3);
    EXPECT_EQ(graph->Objects().Items(2)->ID(), 3u);
    EXPECT_EQ(graph->FindObjectByID(3), graph->Objects().Items(2));
    EXPECT_EQ(graph->FindObjectByID(1), graph->Objects().Items(0));
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
    EXPECT_TRUE(graph->Modified());
    EXPECT_EQ(GraphChanges(), 1);
}

TEST_F(GraphFileTest, MergedLinkStaysOnTheMergedNodes) {
    TGraphNode* old1 = Node({300, 300, 350, 350}, 1);
    TGraphNode* old2 = Node({400, 300, 450, 350}, 2);
    // The same graph saved elsewhere: nodes 1 and 2 joined by link 3.
    TGraphDocument other;
    TGraphNode* a = other.InsertNode({100, 100, 150, 150});
    TGraphNode* b = other.InsertNode({200, 100, 250, 150});
    ASSERT_NE(other.InsertLink(a, b), nullptr);
    TMemoryStream file;
    other.SaveToStream(file);

    Merge(file.Bytes());

    ASSERT_EQ(graph->Objects().Count(), 5);
    auto* link = dynamic_cast<TGraphLink*>(graph->Objects().Items(4));
    ASSERT_NE(link, nullptr);
    TGraphObject* newA = graph->Objects().Items(2);
    TGraphObject* newB = graph->Objects().Items(3);
    // The free IDs above those in use, counting the link's 3 that is still to come.
    EXPECT_EQ(newA->ID(), 4u);
    EXPECT_EQ(newB->ID(), 5u);
    EXPECT_EQ(link->ID(), 3u);
    EXPECT_EQ(link->Source(), newA);
    EXPECT_EQ(link->Target(), newB);
    EXPECT_EQ(old1->LinkOutputCount(), 0);
    EXPECT_EQ(old2->LinkInputCount(), 0);
}

TEST_F(GraphFileTest, ObjectsSharingAnIDInAFileGetTheirOwn) {
    // Two nodes with ID 1, and a link from 1 to a node with ID 2.
    QByteArray link;
    {
        TGraphDocument other;
        TGraphNode* a = other.InsertNode({100, 100, 150, 150});
        TGraphNode* b = other.InsertNode({300, 100, 350, 150});
        TMemoryStream stream;
        WriteObjectRecord(stream, *other.InsertLink(a, b));
        link = stream.Bytes();
    }
    const QByteArray shared = QByteArray("0.GS") + Int32(4) + Utf16Name("TRectangularNode") +
                              NodeBody(1, "A") + Utf16Name("TRectangularNode") + NodeBody(1, "B") +
                              Utf16Name("TRectangularNode") + NodeBody(2, "C") + link;
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "load" : "merge");
        if (pass == 0) {
            Load(shared);
        } else {
            Merge(shared);
        }
        const int32_t first = graph->Objects().Count() - 4;
        std::set<uint32_t> ids;
        for (int32_t i = 0; i < graph->Objects().Count(); ++i) {
            ids.insert(graph->Objects().Items(i)->ID());
        }
        EXPECT_EQ(ids.size(), static_cast<size_t>(graph->Objects().Count()));
        auto* l = dynamic_cast<TGraphLink*>(graph->Objects().Items(first + 3));
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->Source(), graph->Objects().Items(first + 1)); // "B", the last with ID 1
        EXPECT_EQ(l->Target(), graph->Objects().Items(first + 2));
    }
}

TEST_F(GraphFileTest, PastedLinkWithoutItsEndsHooksTheExistingNodes) {
    TGraphNode* a = Node({100, 100, 150, 150});
    TGraphNode* b = Node({300, 100, 350, 150});
    TGraphLink* link = Link(a, b);
    TGraphObjectList copied;
    copied.Add(link);
    TMemoryStream clip;
    graph->WriteObjectList(clip, copied);
    clip.SetPosition(0);

    graph->ReadObjectList(clip);

    ASSERT_EQ(graph->Objects().Count(), 4);
    auto* copy = dynamic_cast<TGraphLink*>(graph->Objects().Items(3));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ID(), 4u);
    EXPECT_EQ(copy->Source(), a);
    EXPECT_EQ(copy->Target(), b);
}

TEST_F(GraphFileTest, OlderRecordsWithSingleByteClassNamesLoad) {
    Load(QByteArray("0.GS") + Int32(2) + AnsiName("TEllipticNode") + NodeBody(1, "A") +
         AnsiName("TRectangularNode") + NodeBody(2, "B"));
    ASSERT_EQ(graph->Objects().Count(), 2);
    EXPECT_EQ(graph->Objects().Items(0)->ClassType().Name, QStringLiteral("TEllipticNode"));
    EXPECT_EQ(graph->Objects().Items(1)->Text(), QStringLiteral("B"));
}

// A record of an unknown class has no length of its own to skip it by, so the read
// ends there: the objects before it stay, nothing after it is guessed at.
TEST_F(GraphFileTest, UnknownClassEndsTheReadAndKeepsTheObjectsBeforeIt) {
    Load(QByteArray("0.GS") + Int32(3) + Utf16Name("TRectangularNode") + NodeBody(1, "A") +
         Utf16Name("TCloudNode") + NodeBody(2, "B") + Utf16Name("TRectangularNode") +
         NodeBody(3, "C"));
    ASSERT_EQ(graph->Objects().Count(), 1);
    EXPECT_EQ(graph->Objects().Items(0)->Text(), QStringLiteral("A"));
    EXPECT_FALSE(graph->Modified());
}

TEST_F(GraphFileTest, DamagedCountsAndRecordsEndTheReadCheaply) {
    struct Case {
        const char* name;
        QByteArray objects;
    };
    const Case cases[] = {
        {"huge count, nothing follows", Int32(0x7FFFFFFF)},
        {"huge count, one record",
         Int32(0x7FFFFFFF) + Utf16Name("TRectangularNode") + NodeBody(1, "A")},
        {"negative count", Int32(-5) + Utf16Name("TRectangularNode") + NodeBody(1, "A")},
        {"huge name field", Int32(1) + Int32(0x7FFFFFF0) + QByteArray(40, 'x')},
        {"body cut short", Int32(1) + Utf16Name("TRectangularNode") + NodeBody(1, "A").left(30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(QByteArray("0.GS") + c.objects);
        EXPECT_LE(graph->Objects().Count(), 1);
        EXPECT_LT(graph->Objects().Capacity(), 1000);
    }
}

TEST_F(GraphFileTest, FileCutBeforeItsObjectCountIsAReadError) {
    try {
        Load(QByteArray("0.GS\x01"));
        FAIL() << "loaded a file without object count";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Stream read error"));
    }
    EXPECT_EQ(graph->Objects().Count(), 0);
    EXPECT_FALSE(graph->Updating());
}

TEST_F(GraphFileTest, InformationLineKeepsFortyNineOfFiftyCharacters) {
    const QString fifty = QString(25, QLatin1Char('a')) + QString(25, QLatin1Char('b'));
    graph->SetInfo(1, fifty);
    EXPECT_EQ(graph->Info(1), fifty);
    const QByteArray bytes = Save();
    TGraphDocument other;
    TMemoryStream stream(bytes);
    other.LoadFromStream(stream);
    EXPECT_EQ(other.Info(1), fifty.left(49));
}

TEST_F(GraphFileTest, InformationLinesAreWindows1252) {
    TZOVstring line;
    std::array<uint8_t, TZOVstring::kStoredSize> stored{3, 0x80, 0x84, 0x93};
    line.SetStored(stored);
    EXPECT_EQ(line.Text(), QString::fromUtf8("\u20AC\u201E\u201C"));
    line.SetText(line.Text());
    EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + 4, line.Bytes().begin()));
    // A character outside the code page is saved as '?'.
    line.SetText(QString::fromUtf8("\u20ACx\u0100\u00E9"));
    EXPECT_EQ(line.Text(), QString::fromUtf8("\u20ACx?\u00E9"));

    graph->SetInfo(2, QString::fromUtf8("\u20AC\u201E\u201C"));
    const QByteArray bytes = Save();
    EXPECT_TRUE(bytes.contains(QByteArray("\x03\x80\x84\x93")));
    TGraphDocument other;
    TMemoryStream stream(bytes);
    other.LoadFromStream(stream);
    EXPECT_EQ(other.Info(2), QString::fromUtf8("\u20AC\u201E\u201C"));
}

TEST_F(GraphFileTest, TextNodePayloadTravelsByteForByte) {
    const QByteArray rtf("{\\rtf1\\ansi \\b bold\\b0\\par}\0\xff", 30);
    auto* empty =
        static_cast<TTextNode*>(graph->InsertNode({50, 50, 150, 100}, &TTextNode::Class()));
    auto* full =
        static_cast<TTextNode*>(graph->InsertNode({200, 50, 300, 100}, &TTextNode::Class()));
    ASSERT_NE(empty, nullptr);
    ASSERT_NE(full, nullptr);
    full->Payload().WriteBuffer(rtf.constData(), rtf.size());

    TGraphDocument other;
    TMemoryStream stream(Save());
    other.LoadFromStream(stream);

    ASSERT_EQ(other.Objects().Count(), 2);
    EXPECT_EQ(static_cast<TTextNode*>(other.Objects().Items(0))->Payload().Bytes(), QByteArray());
    EXPECT_EQ(static_cast<TTextNode*>(other.Objects().Items(1))->Payload().Bytes(), rtf);
}

TEST_F(GraphFileTest, StreamEndingAfterTheObjectsKeepsThePageInformation) {
    graph->SetInfo(0, QStringLiteral("kept"));
    graph->SetLage('P');
    graph->SetPaperType(pA5);
    Load(QByteArray("0.GS") + Int32(1) + Utf16Name("TRectangularNode") + NodeBody(1, "A"));
    EXPECT_EQ(graph->Objects().Count(), 1);
    EXPECT_EQ(graph->Info(0), QStringLiteral("kept"));
    EXPECT_EQ(graph->Lage(), 'P');
    EXPECT_EQ(graph->PaperType(), pA5);
    EXPECT_EQ(graph->GraphConstraints().BoundsRect(), (TRect{28, 28, 28 + 583, 28 + 827}));
}

TEST_F(GraphFileTest, OnlyWholeGraphsCountAsComplete) {
    const QByteArray whole = StartFile();
    const QByteArray objectsOnly = whole.left(whole.size() - 4 * 50 - 2);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool complete;
    };
    const Case cases[] = {
        {"whole file", whole, true},
        {"no trailer, as older files", objectsOnly, true},
        {"empty graph", QByteArray("0.GS") + Int32(0), true},
        {"cut inside the trailer", whole.left(whole.size() - 1), false},
        {"cut inside the record", whole.left(whole.size() / 2), false},
        {"unknown class",
         QByteArray("0.GS") + Int32(1) + Utf16Name("TCloudNode") + NodeBody(1, "B"), false},
        {"count promises more records",
         QByteArray("0.GS") + Int32(2) + Utf16Name("TRectangularNode") + NodeBody(1, "A"), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TGraphDocument::IsCompleteGraph(c.bytes), c.complete) << c.name;
    }
    EXPECT_THROW(TGraphDocument::IsCompleteGraph(QByteArray("0.XX")), EGraphStreamError);
}

TEST_F(GraphFileTest, PaperTypeByteOutsideTheTableIsIgnored) {
    QByteArray bytes = StartFile();
    bytes[333] = static_cast<char>(200);
    graph->SetPaperType(pA3);
    Load(bytes);
    EXPECT_EQ(graph->PaperType(), pA3);
}

TEST_F(GraphFileTest, ObjectStatesPutChangedObjectsBack) {
    TGraphNode* a = Node({100, 100, 150, 150});
    TGraphNode* b = Node({300, 100, 350, 150});
    TGraphLink* link = Link(a, b);
    a->SetText(QStringLiteral("before"));
    TGraphObjectList saved;
    saved.Add(a);
    saved.Add(link);
    TMemoryStream states;
    graph->SaveObjectStates(states, saved);

    a->SetBoundsRect({400, 400, 480, 460});
    a->SetText(QStringLiteral("after"));
    link->InsertPoint(1, {700, 700});
    states.SetPosition(0);
    graph->LoadObjectStates(states);

    EXPECT_EQ(a->BoundsRect(), (TRect{100, 100, 150, 150}));
    EXPECT_EQ(a->Text(), QStringLiteral("before"));
    EXPECT_EQ(link->PointCount(), 2);
    EXPECT_EQ(link->Source(), a);
    EXPECT_EQ(link->Target(), b);
}

TEST_F(GraphFileTest, FilesSaveLoadAndReportErrors) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fileName = dir.filePath(QStringLiteral("graph.zov"));
    Node({100, 60, 220, 110})->SetText(QStringLiteral("Start"));
    graph->SaveToFile(fileName);
    EXPECT_FALSE(graph->Modified());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("graph.zov")});

    TGraphDocument other;
    other.LoadFromFile(fileName);
    ASSERT_EQ(other.Objects().Count(), 1);
    other.MergeFromFile(fileName, 0, 0);
    EXPECT_EQ(other.Objects().Count(), 2);

    const QString missing = dir.filePath(QStringLiteral("missing.zov"));
    try {
        other.LoadFromFile(missing);
        FAIL() << "loaded a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("missing.zov"))) << e.what();
    }
    EXPECT_EQ(other.Objects().Count(), 2);

    graph->SetInfo(0, QStringLiteral("changed"));
    graph->SetModified(true);
    EXPECT_THROW(graph->SaveToFile(dir.filePath(QStringLiteral("no/such/dir/graph.zov"))),
                 EFCreateError);
    EXPECT_TRUE(graph->Modified());
}

} // namespace
} // namespace zov
