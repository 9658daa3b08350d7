#include "MetafileList.h"

#include "platform/types/Exceptions.h"

#include <QDir>
#include <algorithm>
#include <limits>

namespace zov {

TMetafileList::~TMetafileList() = default;

void TMetafileList::SetCacheSize(int size) {
    fCacheSize = std::max(size, 1);
    ReduceCache(fCacheSize);
}

void TMetafileList::Add(const QByteArray& metafile) {
    Insert(Count(), metafile);
}

void TMetafileList::Insert(int index, const QByteArray& metafile) {
    index = std::clamp(index, 0, Count());
    ReduceCache(fCacheSize - 1);
    auto entry = std::make_unique<TMetafileEntry>();
    entry->fMetafile = metafile;
    entry->fStates = msInMemory | msDirty;
    fCached.push_back(entry.get());
    fEntries.insert(fEntries.begin() + index, std::move(entry));
    if (OnSingleChange) {
        OnSingleChange(index);
    }
}

void TMetafileList::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    if (Count() == 1) {
        Clear();
        return;
    }
    TMetafileEntry& entry = *fEntries[static_cast<size_t>(index)];
    Uncache(&entry);
    // The last block of the storage is given back.
    if (entry.Has(msInStorage) && fStorage && entry.fOffset + entry.fSize == fStorage->size()) {
        fStorage->resize(entry.fOffset);
    }
    fEntries.erase(fEntries.begin() + index);
    if (OnMultipleChange) {
        OnMultipleChange();
    }
}

void TMetafileList::Clear() {
    fCached.clear();
    fEntries.clear();
    fStorage.reset(); // removes the temporary file
    if (OnMultipleChange) {
        OnMultipleChange();
    }
}

const QByteArray& TMetafileList::Metafile(int index) {
    TMetafileEntry& entry = *fEntries.at(static_cast<size_t>(index));
    if (!entry.Has(msInMemory)) {
        ReduceCache(fCacheSize - 1);
        QTemporaryFile& storage = Storage();
        QByteArray bytes;
        if (storage.seek(entry.fOffset)) {
            bytes = storage.read(entry.fSize);
        }
        if (bytes.size() != entry.fSize) {
            throw EReadError(QStringLiteral("Page %1 cannot be read back from \"%2\": %3")
                                 .arg(index + 1)
                                 .arg(storage.fileName(), storage.errorString()));
        }
        entry.fMetafile = bytes;
        entry.fStates |= msInMemory;
        entry.TouchCount = 0;
        fCached.push_back(&entry);
    }
    ++entry.TouchCount;
    return entry.fMetafile;
}

QString TMetafileList::StorageFileName() const {
    return fStorage ? fStorage->fileName() : QString();
}

void TMetafileList::ReduceCache(int size) {
    while (static_cast<int>(fCached.size()) > std::max(size, 0)) {
        // The least touched page, looked for from the most recently cached one back.
        auto victim = fCached.rbegin();
        for (auto it = fCached.rbegin(); it != fCached.rend(); ++it) {
            if ((*it)->TouchCount < (*victim)->TouchCount) {
                victim = it;
            }
        }
        TMetafileEntry& entry = **victim;
        if (entry.Has(msDirty) || !entry.Has(msInStorage)) {
            Store(entry);
        }
        // A clean page read back from the storage gives up its copy in memory too.
        entry.fMetafile = QByteArray();
        entry.fStates &= ~(msInMemory | msDirty);
        fCached.erase(std::next(victim).base());
    }
}

void TMetafileList::Store(TMetafileEntry& entry) {
    QTemporaryFile& storage = Storage();
    const int64_t end = storage.size();
    // The page stored last is written again in place, the storage cut after it.
    const bool last = entry.Has(msInStorage) && entry.fOffset + entry.fSize == end;
    const int64_t offset = last ? entry.fOffset : end;
    if (entry.fMetafile.size() > std::numeric_limits<int32_t>::max() || !storage.seek(offset) ||
        storage.write(entry.fMetafile) != entry.fMetafile.size() || !storage.flush()) {
        throw EFCreateError(QStringLiteral("The preview's pages cannot be stored in \"%1\": %2")
                                .arg(storage.fileName(), storage.errorString()));
    }
    if (last) {
        storage.resize(offset + entry.fMetafile.size());
    }
    entry.fOffset = offset;
    entry.fSize = static_cast<int32_t>(entry.fMetafile.size());
    entry.fStates |= msInStorage;
}

QTemporaryFile& TMetafileList::Storage() {
    if (!fStorage) {
        fStorage =
            std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("DAXXXXXX")));
        if (!fStorage->open()) {
            const QString error = fStorage->errorString();
            fStorage.reset();
            throw EFCreateError(
                QStringLiteral("No temporary file for the preview's pages: %1").arg(error));
        }
    }
    return *fStorage;
}

void TMetafileList::Uncache(const TMetafileEntry* entry) {
    fCached.erase(std::remove(fCached.begin(), fCached.end(), entry), fCached.end());
}

} // namespace zov
