#pragma once

#include "settings/Setup.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace zov {

// The program's settings, read by LoadProgramSettings.
struct TPRG {
    QString LANGUAGE;
    QString USER_KENN;
    QString USER_NAME;
    QString COMPANY;
    bool bTAG = false;
    bool bShade = false;
    bool bPrintInfo = false;
    bool bCitrix = false;
    bool bEndungReg = false; // the file association is done: skip it at start-up
};

extern TPRG PRG;
// The program's settings store; null before StartSettings and after FinishSettings.
extern std::unique_ptr<TSetup> SettingsStore;

// A stored flag is true exactly when its text is "1"; it is written as "1" or "0".
bool FlagFromText(const QString& text);
QString FlagText(bool flag);

// The registry mirror: QSettings in the platform's native format under organisation
// "ZOV", application "UCFG" (HKEY_CURRENT_USER\SOFTWARE\ZOV\UCFG on Windows).
inline const QString kMirrorOrganization = QStringLiteral("ZOV");
inline const QString kMirrorApplication = QStringLiteral("UCFG");

// The stored value of a setting with every double quotation mark removed; sDefault
// when there is no store.
QString ReadSetting(const QString& sName, const QString& sDefault);
// Stores a value in the settings document and, in double quotation marks, in the
// registry mirror, which is synced at once; a mirror that refuses it is skipped.
void WriteSetting(const QString& sName, const QString& sValue);

// Reads PRG from the store, creating missing values with their defaults, then runs
// the file association (unless PRG.bEndungReg), whose failure is ignored.
void LoadProgramSettings();
// Writes PRG's settings to the store and the mirror; an empty language becomes "DE".
void SaveProgramSettings();
// Opens the settings file without reading it into PRG; the editor reads it when its
// frame first shows.
void OpenSettings(const TCatalogueFolders& folders = {ProgramDir(), UserConfigDir()});
// Creates SettingsStore over the folders (by default the program's folder and the
// user's configuration folder) and loads PRG, as at program start.
void StartSettings(const TCatalogueFolders& folders = {ProgramDir(), UserConfigDir()});
// Writes the store's file and frees it and clears PRG, as at program end. False when
// the file could not be written.
bool FinishSettings();

// The recently saved files, most recent first, at most kRecentFileCount each:
// RecentFiles changes while the program runs, RecentFilesAtStart stays as read.
inline constexpr qsizetype kRecentFileCount = 6;
extern QStringList RecentFiles;
extern QStringList RecentFilesAtStart;

// Fills both lists from "FILE_01" to "FILE_06" of the recent-file group, creating
// missing elements (and the group) empty.
void LoadRecentFiles();
// Writes RecentFiles into the recent-file group when there is one, then empties both
// lists.
void SaveRecentFiles();
// Puts a file first, moving the others down and dropping the last; a file already
// listed stays where it is.
void AddRecentFile(const QString& fileName);
// The last index at which RecentFiles holds exactly that name, or -1.
qsizetype RecentFileIndex(const QString& fileName);

} // namespace zov
