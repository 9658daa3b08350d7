#pragma once

#include "localization/DlgTexte.h"
#include "settings/SettingsXml.h"

#include <QString>
#include <memory>

namespace zov {

inline const QString kSettingsFileName = QStringLiteral("ZOV.XML");
inline const QString kSettingsRoot = QStringLiteral("ZOV_ROOT");
inline const QString kRecentFilesGroup = QStringLiteral("RRFILE_ROOT");
inline const QString kSetupGroup = QStringLiteral("RRFILE_SETUP");
// The text of a new group element; nothing reads it.
inline const QString kGroupText = QStringLiteral("Y");
// Beside an unreadable settings file, its bytes are kept under this suffix.
inline const QString kBrokenSuffix = QStringLiteral(".broken");

// The settings store: the document of "ZOV.XML", read from the program's folder (or
// the user's copy) and written back by Save. Destroying it writes nothing, so no file
// is written from a static destructor.
class TSetup {
public:
    // Loads the file when it exists. A file that cannot be parsed is kept as a copy
    // with kBrokenSuffix, reported once on standard error, and the default document
    // is used instead.
    explicit TSetup(const TCatalogueFolders& folders);

    // The empty document: root, the recent-file group with "FILE_01" to "FILE_05",
    // the setup group.
    void Default();

    // The text of the child sVAR of xToRoot; a missing child is appended with sDefault.
    QString getStr(TXmlElement& xToRoot, const QString& sVAR, const QString& sDefault);
    void SetStr(TXmlElement& xToRoot, const QString& sVAR, const QString& sSet);

    // getStr on the setup group; sDefault, creating nothing, when the group is missing.
    QString ReadReg(const QString& sKey, const QString& sDefault);
    // SetStr on the setup group, which is appended when missing.
    void WriteReg(const QString& sKey, const QString& sVal);

    TXmlElement& Root() { return *xXML; }
    // The file that was read, or would be read.
    const QString& FileName() const { return sXMLName; }

    // Writes the document whole or not at all: to the file it came from, or to the
    // user's copy when the program's folder refuses it. False, after one line on
    // standard error, when no place took it.
    bool Save() const;

private:
    void Load();

    TCatalogueFolders fFolders;
    QString sXMLName;
    std::unique_ptr<TXmlElement> xXML;
};

} // namespace zov
