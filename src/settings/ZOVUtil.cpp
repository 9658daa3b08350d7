#include "settings/ZOVUtil.h"

#include "settings/FileAssociation.h"

#include <QSettings>
#include <algorithm>

namespace zov {

TPRG PRG;
std::unique_ptr<TSetup> SettingsStore;
QStringList RecentFiles;
QStringList RecentFilesAtStart;

namespace {

const QString kTrue = QStringLiteral("1");
const QString kFalse = QStringLiteral("0");
const QString kDefaultLanguage = QStringLiteral("DE");
const QString kUnknownUser = QStringLiteral("??");
const QChar kQuote = QLatin1Char('"');

QString RecentFileElement(qsizetype index) {
    return QStringLiteral("FILE_%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

bool FlagFromText(const QString& text) {
    return text == kTrue;
}

QString FlagText(bool flag) {
    return flag ? kTrue : kFalse;
}

QString ReadSetting(const QString& sName, const QString& sDefault) {
    QString value = SettingsStore ? SettingsStore->ReadReg(sName, sDefault) : sDefault;
    return value.remove(kQuote);
}

void WriteSetting(const QString& sName, const QString& sValue) {
    if (SettingsStore) {
        SettingsStore->WriteReg(sName, sValue);
    }
    QSettings mirror(QSettings::NativeFormat, QSettings::UserScope, kMirrorOrganization,
                     kMirrorApplication);
    if (mirror.isWritable()) {
        mirror.setValue(sName, kQuote + sValue + kQuote);
        mirror.sync();
    }
}

void LoadProgramSettings() {
    PRG.LANGUAGE = ReadSetting(QStringLiteral("LANGUAGE"), kDefaultLanguage);
    PRG.USER_KENN = ReadSetting(QStringLiteral("USER_KENN"), kUnknownUser);
    PRG.USER_NAME = ReadSetting(QStringLiteral("USER_NAME"), kUnknownUser);
    PRG.bTAG = FlagFromText(ReadSetting(QStringLiteral("SHOW_TAG"), kTrue));
    PRG.bShade = FlagFromText(ReadSetting(QStringLiteral("SHOW_SHADE"), kTrue));
    PRG.bPrintInfo = FlagFromText(ReadSetting(QStringLiteral("PRINT_INFO"), kFalse));
    PRG.bCitrix = FlagFromText(ReadSetting(QStringLiteral("CITRIX"), kTrue));
    PRG.bEndungReg = FlagFromText(ReadSetting(QStringLiteral("REG_ZOV"), kFalse));
    // At start-up nobody is there to be told; the install command reports failures.
    try {
        InstallFileAssociation();
    } catch (const EAssociationError&) {
    }
}

void SaveProgramSettings() {
    if (PRG.LANGUAGE.isEmpty()) {
        PRG.LANGUAGE = kDefaultLanguage;
    }
    WriteSetting(QStringLiteral("LANGUAGE"), PRG.LANGUAGE);
    WriteSetting(QStringLiteral("USER_KENN"), PRG.USER_KENN);
    WriteSetting(QStringLiteral("USER_NAME"), PRG.USER_NAME);
    WriteSetting(QStringLiteral("SHOW_TAG"), FlagText(PRG.bTAG));
    WriteSetting(QStringLiteral("CITRIX"), FlagText(PRG.bCitrix));
    WriteSetting(QStringLiteral("SHOW_SHADE"), FlagText(PRG.bShade));
    WriteSetting(QStringLiteral("PRINT_INFO"), FlagText(PRG.bPrintInfo));
}

void OpenSettings(const TCatalogueFolders& folders) {
    SettingsStore = std::make_unique<TSetup>(folders);
}

void StartSettings(const TCatalogueFolders& folders) {
    OpenSettings(folders);
    LoadProgramSettings();
}

bool FinishSettings() {
    const bool saved = !SettingsStore || SettingsStore->Save();
    SettingsStore.reset();
    PRG = TPRG();
    return saved;
}

void LoadRecentFiles() {
    RecentFiles.clear();
    RecentFilesAtStart.clear();
    if (!SettingsStore) {
        return;
    }
    TXmlElement& root = SettingsStore->Root();
    TXmlElement* group = root.Child(kRecentFilesGroup);
    if (group == nullptr) {
        group = &root.AppendChild(kRecentFilesGroup, kGroupText);
    }
    for (qsizetype i = 0; i < kRecentFileCount; ++i) {
        const QString name = SettingsStore->getStr(*group, RecentFileElement(i), QString());
        RecentFiles.append(name);
        RecentFilesAtStart.append(name);
    }
}

void SaveRecentFiles() {
    TXmlElement* group = SettingsStore ? SettingsStore->Root().Child(kRecentFilesGroup) : nullptr;
    if (group != nullptr) {
        for (qsizetype i = 0; i < kRecentFileCount; ++i) {
            SettingsStore->SetStr(*group, RecentFileElement(i), RecentFiles.value(i));
        }
    }
    RecentFiles.clear();
    RecentFilesAtStart.clear();
}

void AddRecentFile(const QString& fileName) {
    if (RecentFileIndex(fileName) >= 0) {
        return;
    }
    RecentFiles.prepend(fileName);
    if (RecentFiles.size() > kRecentFileCount) {
        RecentFiles.resize(kRecentFileCount);
    }
}

qsizetype RecentFileIndex(const QString& fileName) {
    return RecentFiles.first(std::min(RecentFiles.size(), kRecentFileCount)).lastIndexOf(fileName);
}

} // namespace zov
