#include "settings/FileAssociation.h"

#include "settings/ZOVUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#include <shlobj.h>
#else
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <optional>
#endif

namespace zov {

namespace {

#ifdef Q_OS_WIN

// The per-user part of HKEY_CLASSES_ROOT: writable without administrator rights, and
// what the shell reads first.
const QString kUserClassesKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes");
const QString kStartMenuFolder = QStringLiteral("ZOV");
const QString kShortcutName = QStringLiteral("ZOVGrafik.lnk");

// QSettings reaches a registry key's default value under the name "Default".
void SetDefaultValue(QSettings& classes, const QString& key, const QString& value) {
    classes.setValue(key + QStringLiteral("/Default"), value);
    classes.sync();
    if (classes.status() != QSettings::NoError) {
        throw EAssociationError(QStringLiteral("Cannot write the registry key \"%1\\%2\"")
                                    .arg(kUserClassesKey, QDir::toNativeSeparators(key)));
    }
}

void RegisterFileType(const QString& extension, const QString& className,
                      const QString& description, const QString& programPath, int iconIndex,
                      bool notify) {
    QSettings classes(kUserClassesKey, QSettings::NativeFormat);
    SetDefaultValue(classes, extension, className);
    SetDefaultValue(classes, className, description);
    SetDefaultValue(classes, className + QStringLiteral("/DefaultIcon"),
                    QDir::toNativeSeparators(programPath) + QLatin1Char(',') +
                        QString::number(iconIndex));
    if (notify) {
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }
}

// The extension's key exists since RegisterFileType gave it its value.
void RegisterShellVerb(const QString& className, const QString& verb, const QString& programPath,
                       const QString& parameters) {
    QSettings classes(kUserClassesKey, QSettings::NativeFormat);
    const QString verbKey = className + QStringLiteral("/Shell/") + verb;
    SetDefaultValue(classes, verbKey, QLatin1Char('&') + verb);
    const QChar quote = QLatin1Char('"');
    SetDefaultValue(classes, verbKey + QStringLiteral("/Command"),
                    quote + QDir::toNativeSeparators(programPath) + quote +
                        QStringLiteral(" \"%1\" ") + quote + parameters + quote);
}

// The user's start-menu programs folder, with subFolder created inside it; empty when
// there is none.
QString GetSpecialFolderPath(const QString& subFolder) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty()) {
        return QString();
    }
    QDir(folder).mkpath(subFolder);
    return folder;
}

// On Windows QFile::link makes a shell link (.lnk).
bool CreateShellLink(const QString& target, const QString& linkFile) {
    return QFile::link(target, linkFile);
}

void RegisterWithTheShell(const QString& programPath) {
    const QString extension = QLatin1Char('.') + GraphFileExt;
    RegisterFileType(extension, GraphFileExt, kGraphFileDescription, programPath, 0, true);
    RegisterShellVerb(GraphFileExt, QStringLiteral("Open"), programPath, QString());
    const QString programs = GetSpecialFolderPath(kStartMenuFolder);
    // Without the shortcut the program still opens its files, so its failure is no
    // failure of the association.
    if (!programs.isEmpty()) {
        CreateShellLink(programPath, QDir(programs).filePath(kStartMenuFolder + QLatin1Char('/') +
                                                             kShortcutName));
    }
}

#else

// How long one desktop tool may take before the association gives up on it.
constexpr int kToolTimeoutMs = 60000;

const QString kMimeInfoNamespace =
    QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
// The four bytes every graph file starts with.
const QString kGraphSignature = QStringLiteral("0.GS");

// Writes the file whole, unless it already holds exactly these bytes. True when it
// was written.
bool WriteIfChanged(const QString& path, const QByteArray& bytes) {
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.size() == bytes.size() &&
        current.readAll() == bytes) {
        return false;
    }
    const QString nativePath = QDir::toNativeSeparators(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        throw EAssociationError(Exception::Format(
            SFCreateErrorEx, {nativePath, QStringLiteral("Its folder cannot be made.")}));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw EAssociationError(
            Exception::Format(SFCreateErrorEx, {nativePath, file.errorString()}));
    }
    return true;
}

// Runs a desktop tool and gives its standard output; nothing when it is not installed.
// A tool that fails fails the association.
std::optional<QString> RunTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(kToolTimeoutMs);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString cause = finished ? QString::fromLocal8Bit(process.readAllStandardError())
                                       : process.errorString();
        process.kill();
        process.waitForFinished();
        throw EAssociationError(QStringLiteral("%1 %2 failed: %3")
                                    .arg(tool, arguments.join(QLatin1Char(' ')), cause.trimmed()));
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Rebuilds a desktop database when its source changed or it was never built.
void UpdateDatabase(const QString& tool, const QString& folder, const QString& cacheName,
                    bool changed) {
    if (changed || !QFileInfo::exists(QDir(folder).filePath(cacheName))) {
        RunTool(tool, {folder});
    }
}

// A shared-mime-info package: the type by its extension in either case and by the
// signature graph files start with.
QByteArray MimePackage(const QString& extension, const QString& mimeType,
                       const QString& description) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kMimeInfoNamespace);
    xml.writeStartElement(kMimeInfoNamespace, QStringLiteral("mime-info"));
    xml.writeStartElement(kMimeInfoNamespace, QStringLiteral("mime-type"));
    xml.writeAttribute(QStringLiteral("type"), mimeType);
    xml.writeTextElement(kMimeInfoNamespace, QStringLiteral("comment"), description);
    xml.writeEmptyElement(kMimeInfoNamespace, QStringLiteral("icon"));
    xml.writeAttribute(QStringLiteral("name"), kIconName);
    xml.writeStartElement(kMimeInfoNamespace, QStringLiteral("magic"));
    xml.writeEmptyElement(kMimeInfoNamespace, QStringLiteral("match"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("string"));
    xml.writeAttribute(QStringLiteral("value"), kGraphSignature);
    xml.writeAttribute(QStringLiteral("offset"), QStringLiteral("0"));
    xml.writeEndElement();
    for (const QString& suffix : {extension.toLower(), extension.toUpper()}) {
        xml.writeEmptyElement(kMimeInfoNamespace, QStringLiteral("glob"));
        xml.writeAttribute(QStringLiteral("pattern"), QStringLiteral("*.") + suffix);
    }
    xml.writeEndDocument();
    return bytes;
}

// One argument of a desktop entry's Exec key: in double quotes, with '"', '`', '$'
// and '\' behind a backslash, and '%' doubled so that it is no field code.
QString QuoteExecArgument(const QString& argument) {
    QString quoted(QLatin1Char('"'));
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        } else if (c == QLatin1Char('%')) {
            quoted += QLatin1Char('%');
        }
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// A desktop entry's string value, with the escapes of its file format.
QString EscapeEntryValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QStringLiteral("\\\\");
            break;
        case '\n':
            escaped += QStringLiteral("\\n");
            break;
        case '\t':
            escaped += QStringLiteral("\\t");
            break;
        case '\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QByteArray DesktopEntry(const QString& programPath, const QString& mimeType,
                        const QString& description) {
    const QString exec = QuoteExecArgument(programPath) + QStringLiteral(" %f");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=ZOV\n"
                          "Comment=%1\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "MimeType=%4;\n"
                          "Categories=Graphics;\n")
        .arg(EscapeEntryValue(description), EscapeEntryValue(exec), kIconName, mimeType)
        .toUtf8();
}

// The user's data folder ($XDG_DATA_HOME, by default ~/.local/share).
QString DataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty()) {
        throw EAssociationError(QStringLiteral("The user's data folder is unknown"));
    }
    return folder;
}

// Tells the desktop about graph files: a shared-mime-info package, then the MIME
// database rebuilt.
void RegisterFileType(const QString& extension, const QString& mimeType,
                      const QString& description) {
    const QString mimeFolder = QDir(DataFolder()).filePath(QStringLiteral("mime"));
    const bool changed =
        WriteIfChanged(QDir(mimeFolder).filePath(QStringLiteral("packages/") + kMimePackageName),
                       MimePackage(extension, mimeType, description));
    UpdateDatabase(QStringLiteral("update-mime-database"), mimeFolder, QStringLiteral("mime.cache"),
                   changed);
}

// The desktop entry that opens graph files with the program; it is the program's
// start-menu entry as well. The program becomes the type's default handler unless it
// already is.
void RegisterShellVerb(const QString& mimeType, const QString& programPath,
                       const QString& description) {
    const QString applications = QDir(DataFolder()).filePath(QStringLiteral("applications"));
    const bool changed = WriteIfChanged(QDir(applications).filePath(kDesktopEntryName),
                                        DesktopEntry(programPath, mimeType, description));
    UpdateDatabase(QStringLiteral("update-desktop-database"), applications,
                   QStringLiteral("mimeinfo.cache"), changed);
    const QString xdgMime = QStringLiteral("xdg-mime");
    const std::optional<QString> handler =
        RunTool(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (handler && handler->trimmed() != kDesktopEntryName) {
        RunTool(xdgMime, {QStringLiteral("default"), kDesktopEntryName, mimeType});
    }
}

void RegisterWithTheShell(const QString& programPath) {
    const QString absolutePath = QFileInfo(programPath).absoluteFilePath();
    RegisterFileType(GraphFileExt, kGraphMimeType, kGraphFileDescription);
    RegisterShellVerb(kGraphMimeType, absolutePath, kGraphFileDescription);
}

#endif

} // namespace

void InstallFileAssociation(const QString& programPath) {
    if (PRG.bEndungReg) {
        return;
    }
    RegisterWithTheShell(programPath);
    WriteSetting(QStringLiteral("CITRIX"), QStringLiteral("1"));
}

void InstallFileAssociation() {
    InstallFileAssociation(QCoreApplication::applicationFilePath());
}

} // namespace zov
