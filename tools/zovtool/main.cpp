// zovtool: the graph file on the command line, without a display.
//   zovtool dump FILE    prints the graph as JSON
#include "GraphJson.h"
#include "graph/control/RaroviRovoz.h"
#include "platform/Exceptions.h"

#include <QApplication>
#include <QJsonDocument>
#include <cstdio>

namespace {

constexpr const char* kUsage = "usage: zovtool dump FILE\n";

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

int Dump(const QString& fileName) {
    zov::TRaroviRovoz graph;
    try {
        graph.LoadFromFile(fileName);
    } catch (const zov::EFOpenError& e) {
        PrintError(e.Message());
        return 1;
    } catch (const zov::Exception& e) {
        PrintError(QStringLiteral("cannot read \"%1\": %2").arg(fileName, e.Message()));
        return 1;
    }
    const QByteArray json = QJsonDocument(zov::GraphToJson(graph)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // A command-line tool: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("dump")) {
        return Dump(args[2]);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
