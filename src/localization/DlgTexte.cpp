#include "localization/DlgTexte.h"

#include "localization/IndexFile.h"
#include "localization/ProfileFile.h"
#include "platform/stream/FileIO.h"
#include "platform/types/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <cstdio>

namespace zov {

TDlgTexte DlgTexte;

namespace {

constexpr qsizetype kMinLanguageCode = 2;
constexpr qsizetype kMaxLanguageCode = 8;
const QString kDefaultLanguage = QStringLiteral("DE");

const QChar kEscape = QLatin1Char('\\');

QString WithSeparator(QString dir) {
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) {
        dir += QLatin1Char('/');
    }
    return dir;
}

// A language file holds one line per key, so line breaks of a text are written as
// "\n" and "\r", and a backslash as "\\". Any other backslash reads as itself, which
// keeps hand-written texts such as "C:\Graphs" as they are.
QString EscapeText(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == kEscape) {
            escaped += QLatin1String("\\\\");
        } else if (c == QLatin1Char('\n')) {
            escaped += QLatin1String("\\n");
        } else if (c == QLatin1Char('\r')) {
            escaped += QLatin1String("\\r");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString UnescapeText(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] == kEscape &&
            (next == kEscape || next == QLatin1Char('n') || next == QLatin1Char('r'))) {
            plain += next == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                     : next == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                                : kEscape;
            ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool ReadCatalogueFile(const QString& path, TDecodedText& content) {
    QString error;
    if (ReadTextFile(path, content, error)) {
        return true;
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "ZOV: text catalogue file %s ignored: %s\n",
                     qUtf8Printable(QDir::toNativeSeparators(path)), qUtf8Printable(error));
    }
    return false;
}

} // namespace

const QString& ProgramDir() {
    static QString dir;
    if (dir.isEmpty() && QCoreApplication::instance() != nullptr) {
        dir = WithSeparator(QCoreApplication::applicationDirPath());
    }
    return dir;
}

QString UserConfigDir() {
    return WithSeparator(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString TCatalogueFolders::ReadPath(const QString& fileName) const {
    if (!UserDir.isEmpty() && QFileInfo::exists(UserDir + fileName)) {
        return UserDir + fileName;
    }
    return ProgramDir + fileName;
}

bool TCatalogueFolders::Write(const QString& fileName, const QByteArray& bytes,
                              QStringList& errors) const {
    const QString preferred = ReadPath(fileName);
    const QString user = UserDir + fileName;
    const auto attempt = [&](const QString& path) {
        try {
            WriteFileBytes(path, bytes);
            return true;
        } catch (const EFCreateError& e) {
            errors.append(e.Message());
            return false;
        }
    };
    if (attempt(preferred)) {
        return true;
    }
    return !UserDir.isEmpty() && preferred != user && QDir().mkpath(UserDir) && attempt(user);
}

QString ValidLanguageCode(const QString& code) {
    const bool valid = code.size() >= kMinLanguageCode && code.size() <= kMaxLanguageCode &&
                       std::all_of(code.begin(), code.end(), [](QChar c) {
                           return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                                  (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
                       });
    return valid ? code.toUpper() : kDefaultLanguage;
}

TCatalogueFolders TDlgTexte::Folders() const {
    return fFolders.value_or(TCatalogueFolders{ProgramDir(), UserConfigDir()});
}

void TDlgTexte::SetLanguage(const QString& code) {
    Flush();
    fLanguage = ValidLanguageCode(code);
    Load();
}

void TDlgTexte::Load() {
    Daten = std::make_unique<TDlgTextList>();
    fIndexEncoding = teUtf8;
    const TCatalogueFolders folders = Folders();

    TDecodedText languageContent;
    const bool haveLanguage =
        ReadCatalogueFile(folders.ReadPath(LanguageFileName()), languageContent);
    const TProfileFile language = haveLanguage ? TProfileFile(languageContent) : TProfileFile();

    // Keys named twice (in any case) would make two entries for one key.
    QSet<QString> seen;
    const auto addOnce = [&](const QString& key) {
        if (IsCatalogueKey(key) && !seen.contains(key.toCaseFolded())) {
            seen.insert(key.toCaseFolded());
            Add(key, UnescapeText(language.ReadString(kTransSection, key, kNoText)));
        }
    };

    TDecodedText indexContent;
    if (ReadCatalogueFile(folders.ReadPath(kIndexFileName), indexContent)) {
        const TIndexFile index = TIndexFile::Parse(indexContent);
        fIndexEncoding = index.Encoding;
        for (const QString& key : index.Keys) {
            addOnce(key);
        }
    } else if (haveLanguage) {
        for (const QString& key : language.KeyNames(kTransSection)) {
            addOnce(key);
        }
        Daten->SetSorted();
    }
}

void TDlgTexte::Add(const QString& aKey, const QString& aText) {
    if (Daten) {
        Daten->Add(aKey, aText);
    }
}

QString TDlgTexte::Get(const QString& aKey, const QString& sDEF) {
    if (!Daten) {
        return QString(sDEF).replace(QLatin1Char('|'), QLatin1Char('\n'));
    }
    TDlgText* entry = Daten->Find(aKey);
    if (entry == nullptr) {
        const QString result = QString(sDEF).replace(QLatin1Char('|'), QLatin1Char('\n'));
        Daten->Add(aKey, result);
        return result;
    }
    if (entry->Text == kNoText) {
        entry->Text = sDEF;
    }
    return entry->Text;
}

QByteArray TDlgTexte::IndexBytes() const {
    TIndexFile index;
    index.Encoding = fIndexEncoding;
    QSet<QString> seen;
    for (qsizetype i = 0; i < Daten->Count(); ++i) {
        const QString& key = Daten->Items(i).Key;
        if (IsCatalogueKey(key) && !seen.contains(key.toCaseFolded())) {
            seen.insert(key.toCaseFolded());
            index.Keys.append(key);
        }
    }
    return index.Bytes();
}

QByteArray TDlgTexte::LanguageBytes() {
    TDecodedText content;
    TProfileFile language = ReadCatalogueFile(Folders().ReadPath(LanguageFileName()), content)
                                ? TProfileFile(content)
                                : TProfileFile();
    Daten->SetSorted();
    QSet<QString> seen;
    for (qsizetype i = 0; i < Daten->Count(); ++i) {
        const TDlgText& entry = Daten->Items(i);
        if (IsCatalogueKey(entry.Key) && !seen.contains(entry.Key.toCaseFolded())) {
            seen.insert(entry.Key.toCaseFolded());
            language.WriteString(kTransSection, entry.Key, EscapeText(entry.Text));
        }
    }
    return language.Bytes();
}

bool TDlgTexte::Flush() {
    if (!Daten) {
        return true;
    }
    QStringList errors;
    // The index first: it is written in the list's order, before the language file
    // needs the list sorted.
    const QByteArray index = IndexBytes();
    const QByteArray language = LanguageBytes();
    const TCatalogueFolders folders = Folders();
    const bool indexWritten = folders.Write(kIndexFileName, index, errors);
    const bool languageWritten = folders.Write(LanguageFileName(), language, errors);
    const bool written = indexWritten && languageWritten;
    Daten.reset();
    if (!written) {
        std::fprintf(stderr, "ZOV: the text catalogue could not be saved. %s\n",
                     qUtf8Printable(errors.join(QLatin1Char(' '))));
    }
    return written;
}

} // namespace zov
