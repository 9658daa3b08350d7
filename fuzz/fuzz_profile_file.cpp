// Reads arbitrary bytes as the catalogue's index file and as its language file, in
// memory and through the catalogue's own files. What is read must write and read
// back to the same keys and values, and a key written into any file must read back.
#include "FuzzApplication.h"
#include "localization/DlgTexte.h"
#include "localization/IndexFile.h"
#include "localization/ProfileFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

using namespace zov;

namespace {

// Checks of single keys are limited so that one input costs linear time.
constexpr qsizetype kKeysChecked = 32;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void CheckIndex(const QByteArray& bytes) {
    const TIndexFile index = TIndexFile::Parse(DecodeText(bytes));
    for (const QString& key : index.Keys) {
        Check(IsCatalogueKey(key));
    }
    Check(TIndexFile::Parse(DecodeText(index.Bytes())).Keys == index.Keys);
}

void CheckProfile(const QByteArray& bytes) {
    TProfileFile file{DecodeText(bytes)};
    const QStringList keys = file.KeyNames(kTransSection);
    QStringList values;
    for (const QString& key : keys.mid(0, kKeysChecked)) {
        values.append(file.ReadString(kTransSection, key, kNoText));
        Check(values.back().size() <= kMaxProfileValueLength);
    }

    const TProfileFile reread{DecodeText(file.Bytes())};
    Check(reread.KeyNames(kTransSection) == keys);
    for (qsizetype i = 0; i < values.size(); ++i) {
        Check(reread.ReadString(kTransSection, keys[i], kNoText) == values[i]);
    }

    const QString written = QStringLiteral("v\u00e4\u4e2d");
    Check(file.WriteString(kTransSection, QStringLiteral("FuzzKey"), written));
    Check(TProfileFile(DecodeText(file.Bytes()))
              .ReadString(kTransSection, QStringLiteral("fuzzkey"), QString()) == written);
}

// The input as the catalogue's language file and, when its first byte is even, as its
// index too: loading, asking and flushing must work, and what was flushed must load
// again with the same keys.
void CheckCatalogue(const QByteArray& bytes) {
    static QTemporaryDir folder(QFile::exists(QStringLiteral("/dev/shm"))
                                    ? QStringLiteral("/dev/shm/zov-fuzz-XXXXXX")
                                    : QString());
    const QString dir = folder.path() + QLatin1Char('/');
    const bool withIndex = !bytes.isEmpty() && (static_cast<uint8_t>(bytes[0]) & 1) == 0;
    const auto write = [&bytes](const QString& path) {
        QFile file(path);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(file.write(bytes) == bytes.size());
    };
    write(dir + QStringLiteral("ZOV.DE"));
    if (withIndex) {
        write(dir + kIndexFileName);
    } else {
        QFile::remove(dir + kIndexFileName);
    }
    TDlgTexte catalogue;
    catalogue.SetFolders({dir, QString()});
    catalogue.SetLanguage(QStringLiteral("DE"));
    const QString asked = catalogue.Get(QStringLiteral("FuzzKey"), QStringLiteral("a|b"));
    QStringList keys;
    for (qsizetype i = 0; i < catalogue.Entries()->Count(); ++i) {
        keys.append(catalogue.Entries()->Items(i).Key);
    }
    Check(catalogue.Flush());

    catalogue.Load();
    QStringList reloaded;
    for (qsizetype i = 0; i < catalogue.Entries()->Count(); ++i) {
        reloaded.append(catalogue.Entries()->Items(i).Key);
    }
    Check(reloaded == keys);
    // A new key's line feed survives the language file.
    if (asked == QStringLiteral("a\nb")) {
        Check(catalogue.Get(QStringLiteral("FuzzKey")) == asked);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return InitializeApplication<QCoreApplication>(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckIndex(bytes);
    CheckProfile(bytes);
    CheckCatalogue(bytes);
    return 0;
}
