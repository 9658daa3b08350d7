#include "settings/Setup.h"

#include "platform/stream/FileIO.h"
#include "platform/types/Exceptions.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace zov {

namespace {

constexpr int kDefaultRecentFiles = 5;

bool TryWrite(const QString& path, const QByteArray& bytes, QStringList& errors) {
    try {
        WriteFileBytes(path, bytes);
        return true;
    } catch (const Exception& e) {
        errors.append(e.Message());
        return false;
    }
}

} // namespace

TSetup::TSetup(const TCatalogueFolders& folders)
    : fFolders(folders), sXMLName(folders.ReadPath(kSettingsFileName)) {
    if (QFileInfo::exists(sXMLName)) {
        Load();
    } else {
        Default();
    }
}

void TSetup::Load() {
    QByteArray bytes;
    QString problem;
    try {
        bytes = ReadFileBytes(sXMLName);
    } catch (const Exception& e) {
        problem = e.Message();
    }
    if (problem.isEmpty()) {
        if (auto root = ParseSettingsXml(bytes)) {
            xXML = std::move(*root);
            return;
        }
        const QString copy = sXMLName + kBrokenSuffix;
        QStringList errors;
        problem = TryWrite(copy, bytes, errors)
                      ? QStringLiteral("not readable as XML, kept as %1")
                            .arg(QDir::toNativeSeparators(copy))
                      : QStringLiteral("not readable as XML, no copy kept: %1")
                            .arg(errors.join(QStringLiteral("; ")));
    }
    std::fprintf(stderr, "ZOV: settings file %s: %s; default settings used\n",
                 qUtf8Printable(QDir::toNativeSeparators(sXMLName)), qUtf8Printable(problem));
    Default();
}

void TSetup::Default() {
    xXML = std::make_unique<TXmlElement>(kSettingsRoot, QString());
    TXmlElement& recent = xXML->AppendChild(kRecentFilesGroup, kGroupText);
    for (int i = 1; i <= kDefaultRecentFiles; ++i) {
        recent.AppendChild(QStringLiteral("FILE_%1").arg(i, 2, 10, QLatin1Char('0')), QString());
    }
    xXML->AppendChild(kSetupGroup, kGroupText);
}

QString TSetup::getStr(TXmlElement& xToRoot, const QString& sVAR, const QString& sDefault) {
    if (const TXmlElement* child = xToRoot.Child(sVAR)) {
        return child->Text;
    }
    xToRoot.AppendChild(sVAR, sDefault);
    return sDefault;
}

void TSetup::SetStr(TXmlElement& xToRoot, const QString& sVAR, const QString& sSet) {
    if (TXmlElement* child = xToRoot.Child(sVAR)) {
        child->Text = sSet;
    } else {
        xToRoot.AppendChild(sVAR, sSet);
    }
}

QString TSetup::ReadReg(const QString& sKey, const QString& sDefault) {
    TXmlElement* group = xXML->Child(kSetupGroup);
    return group != nullptr ? getStr(*group, sKey, sDefault) : sDefault;
}

void TSetup::WriteReg(const QString& sKey, const QString& sVal) {
    TXmlElement* group = xXML->Child(kSetupGroup);
    SetStr(group != nullptr ? *group : xXML->AppendChild(kSetupGroup, kGroupText), sKey, sVal);
}

bool TSetup::Save() const {
    const std::optional<QByteArray> bytes = SettingsXmlBytes(*xXML);
    QStringList errors;
    if (!bytes) {
        errors.append(QStringLiteral("a text cannot be written as XML"));
    } else {
        if (fFolders.Write(kSettingsFileName, *bytes, errors)) {
            return true;
        }
    }
    std::fprintf(stderr, "ZOV: settings file %s not written: %s\n",
                 qUtf8Printable(QDir::toNativeSeparators(sXMLName)),
                 qUtf8Printable(errors.join(QStringLiteral("; "))));
    return false;
}

} // namespace zov
