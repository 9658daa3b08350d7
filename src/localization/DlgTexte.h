#pragma once

#include "localization/DlgTextList.h"
#include "localization/TextEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace zov {

// The directory of the program file, ending in "/". Needs the application object;
// computed on first use.
const QString& ProgramDir();
// The user's configuration folder of the program, ending in "/" (empty when the
// platform has none).
QString UserConfigDir();

// Where the catalogue's files live: the files shipped beside the program, and the
// user's copies, which are read first and written whenever the program's folder
// refuses a write (an installed program).
struct TCatalogueFolders {
    QString ProgramDir;
    QString UserDir; // empty: no user copies

    // The user's copy when it exists, else the program's file.
    QString ReadPath(const QString& fileName) const;
    // Writes the file whole where it is read from; when that place refuses it, to the
    // user's copy (making its folder). False, with each failure's reason added to
    // errors, when no place takes it.
    bool Write(const QString& fileName, const QByteArray& bytes, QStringList& errors) const;
};

// A language code as a file name part: 2 to 8 ASCII letters in upper case; anything
// else (a path such as "../x", an empty code) gives the default "DE".
QString ValidLanguageCode(const QString& code);

inline const QString kIndexFileName = QStringLiteral("ZOV.IDX");
inline const QString kTransSection = QStringLiteral("TRANS");
inline const QString kNoText = QStringLiteral("#");

// The text catalogue: every translatable text by key, in one language at a time. Keys
// asked for the first time are recorded with the caller's default, and Flush writes
// the key list ("ZOV.IDX") and the texts ("ZOV." + language code) for a translator to
// complete. The owner calls Flush on the way out; destroying the catalogue writes
// nothing, so no file is written from a static destructor.
class TDlgTexte {
public:
    const QString& Language() const { return fLanguage; }
    // Flushes under the old code, takes the code through ValidLanguageCode and loads.
    void SetLanguage(const QString& code);

    // Defaults to ProgramDir() and UserConfigDir(), taken when the files are first used.
    void SetFolders(const TCatalogueFolders& folders) { fFolders = folders; }
    TCatalogueFolders Folders() const;

    // A new entry list from the index and the language file of the current language.
    void Load();
    // Adds an entry without looking for the key; nothing before Load.
    void Add(const QString& aKey, const QString& aText);
    // The text of aKey, recording the key with sDEF when it is new (a "|" of sDEF then
    // becomes a line feed) and taking sDEF when the language has no text ("#"). Before
    // a language is set there is no list: the default comes back and nothing is kept.
    QString Get(const QString& aKey, const QString& sDEF = QString());
    // Writes the index and the language file, each whole or not at all, and frees the
    // entries. False, after one line on standard error, when a file could not be
    // written. Nothing to do (true) when nothing is loaded.
    bool Flush();

    // The entries, for inspection; null before Load and after Flush.
    const TDlgTextList* Entries() const { return Daten.get(); }

private:
    QString LanguageFileName() const { return QStringLiteral("ZOV.") + fLanguage; }
    QByteArray IndexBytes() const;
    // The language file as read, with every entry written into it in key order.
    QByteArray LanguageBytes();

    QString fLanguage;
    std::unique_ptr<TDlgTextList> Daten;
    TTextEncoding fIndexEncoding = teUtf8;
    std::optional<TCatalogueFolders> fFolders;
};

// The program's catalogue.
extern TDlgTexte DlgTexte;

} // namespace zov
