#pragma once

#include <QByteArray>
#include <QTemporaryFile>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zov {

class TMetafileList;

// The states of a page of a TMetafileList.
enum TMetafileState : uint8_t {
    msInMemory = 1,  // its metafile is held in memory
    msInStorage = 2, // a copy lies in the temporary storage
    msDirty = 4      // the copy in memory differs from the stored one
};

// One page: its metafile (the file image of an enhanced metafile) while in memory,
// else where its copy lies in the storage.
class TMetafileEntry {
public:
    bool Has(TMetafileState state) const { return (fStates & state) != 0; }
    int64_t Offset() const { return fOffset; }
    int32_t Size() const { return fSize; }

    int TouchCount = 0; // raised at every read; the least touched page leaves the cache

private:
    friend class TMetafileList;

    QByteArray fMetafile;
    uint8_t fStates = 0;
    int64_t fOffset = 0;
    int32_t fSize = 0;
};

// The pages of a preview, in order. At most CacheSize() metafiles are held in
// memory; the others wait in a temporary file ("DA" prefix, in the temporary
// folder, removed when the list is cleared or freed).
class TMetafileList {
public:
    static constexpr int kDefaultCacheSize = 10;

    TMetafileList() = default;
    ~TMetafileList();
    TMetafileList(const TMetafileList&) = delete;
    TMetafileList& operator=(const TMetafileList&) = delete;

    int Count() const { return static_cast<int>(fEntries.size()); }
    int CacheSize() const { return fCacheSize; }
    // At least 1; a smaller cache stores the least touched pages at once.
    void SetCacheSize(int size);

    // Appends a copy of metafile as the last page.
    void Add(const QByteArray& metafile);
    void Insert(int index, const QByteArray& metafile);
    void Delete(int index);
    void Clear();

    // The page's metafile, read back from the storage when it is not in memory.
    // Throws EReadError when the storage cannot give it back.
    const QByteArray& Metafile(int index);
    const TMetafileEntry& Entry(int index) const {
        return *fEntries.at(static_cast<size_t>(index));
    }
    // The pages whose metafile is in memory.
    int CachedCount() const { return static_cast<int>(fCached.size()); }
    // The temporary storage's file name; empty before the first page was stored.
    QString StorageFileName() const;

    std::function<void(int index)> OnSingleChange; // a page was added or changed
    std::function<void()> OnMultipleChange;        // pages were removed or cleared

private:
    void ReduceCache(int size);
    void Store(TMetafileEntry& entry);
    QTemporaryFile& Storage();
    void Uncache(const TMetafileEntry* entry);

    std::vector<std::unique_ptr<TMetafileEntry>> fEntries;
    std::vector<TMetafileEntry*> fCached; // in the order they were cached
    std::unique_ptr<QTemporaryFile> fStorage;
    int fCacheSize = kDefaultCacheSize;
};

} // namespace zov
