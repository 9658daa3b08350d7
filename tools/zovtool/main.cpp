// zovtool: the graph file on the command line, without a display.
//   zovtool dump FILE          prints the graph as JSON
//   zovtool export FILE OUT    writes the graph's objects as a picture (.emf, .bmp,
//                              .png, .svg or .pdf)
//   zovtool rtf IN.rtf OUT     converts rich text (.txt, .html, .rtf, .pdf, .png, .json)
#include "GraphExport.h"
#include "GraphJson.h"
#include "RtfConvert.h"
#include "graph/document/GraphDocument.h"
#include "platform/types/Exceptions.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

constexpr const char* kUsage = "usage: zovtool dump FILE\n"
                               "       zovtool export FILE OUT.{emf,bmp,png,svg,pdf}\n"
                               "       zovtool rtf IN.rtf OUT.{txt,html,rtf,pdf,png,json}\n";

// The tool's standard error carries its own messages only; Qt's notes about the
// environment (such as a missing runtime directory) are dropped.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "zovtool: %s\n", message.toLocal8Bit().constData());
    }
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "zovtool: %s\n", message.toLocal8Bit().constData());
}

// False (with the error printed) when the file cannot be loaded.
bool Load(zov::TGraphDocument& graph, const QString& fileName) {
    try {
        graph.LoadFromFile(fileName);
        return true;
    } catch (const zov::EFOpenError& e) {
        PrintError(e.Message());
    } catch (const zov::Exception& e) {
        PrintError(QStringLiteral("cannot read \"%1\": %2").arg(fileName, e.Message()));
    }
    return false;
}

int Dump(const QString& fileName) {
    zov::TGraphDocument graph;
    if (!Load(graph, fileName)) {
        return 1;
    }
    return zov::WriteGraphJson(graph, stdout) ? 0 : 1;
}

// Runs a step that writes a file; its failure is printed and gives exit code 1.
template <typename TStep> int Reported(TStep step, const QString& fileName) {
    try {
        step();
    } catch (const zov::Exception& e) {
        PrintError(e.Message());
        return 1;
    } catch (const std::bad_alloc&) {
        PrintError(QStringLiteral("not enough memory to write \"%1\"").arg(fileName));
        return 1;
    }
    return 0;
}

int Export(const QString& fileName, const QString& outName) {
    zov::TGraphDocument graph;
    if (!Load(graph, fileName)) {
        return 1;
    }
    return Reported([&] { zov::ExportGraph(graph, outName); }, outName);
}

int Rtf(const QString& inName, const QString& outName) {
    return Reported([&] { zov::ConvertRtf(inName, outName); }, outName);
}

} // namespace

int main(int argc, char** argv) {
    // A command-line tool: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("dump")) {
        return Dump(args[2]);
    }
    if (args.size() == 4 && args[1] == QLatin1String("export")) {
        return Export(args[2], args[3]);
    }
    if (args.size() == 4 && args[1] == QLatin1String("rtf")) {
        return Rtf(args[2], args[3]);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
