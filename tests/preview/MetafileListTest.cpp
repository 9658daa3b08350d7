// The preview's page list: at most its cache size of pages in memory, the others in
// a temporary file, each read back as it was.
#include "preview/MetafileList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace zov {
namespace {

// A page's bytes, different for every page and of different lengths.
QByteArray PageBytes(int page) {
    return QByteArray(100 + page * 7, static_cast<char>('a' + page % 26)) +
           QByteArray::number(page);
}

TEST(MetafileList, MoreThanTenPagesKeepTenInMemoryAndReadTheRestBack) {
    TMetafileList pages;
    for (int page = 0; page < 25; ++page) {
        pages.Add(PageBytes(page));
        EXPECT_LE(pages.CachedCount(), 10);
    }
    EXPECT_EQ(pages.Count(), 25);
    EXPECT_EQ(pages.CachedCount(), 10);
    const QFileInfo storage(pages.StorageFileName());
    EXPECT_TRUE(storage.exists());
    EXPECT_EQ(storage.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(storage.fileName().startsWith(QLatin1String("DA")));
    int inStorage = 0;
    for (int page = 0; page < 25; ++page) {
        inStorage += pages.Entry(page).Has(msInStorage) ? 1 : 0;
    }
    EXPECT_EQ(inStorage, 15);
    // Every page, in any order, comes back as it was; the cache keeps its size.
    for (const int page : {0, 24, 3, 17, 3, 9, 22, 0, 12}) {
        EXPECT_EQ(pages.Metafile(page), PageBytes(page)) << page;
        EXPECT_EQ(pages.CachedCount(), 10);
        EXPECT_TRUE(pages.Entry(page).Has(msInMemory));
    }
    const QString file = pages.StorageFileName();
    pages.Clear();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(pages.Count(), 0);
}

TEST(MetafileList, TheLeastTouchedPageLeavesTheCache) {
    TMetafileList pages;
    pages.SetCacheSize(3);
    pages.Add(PageBytes(0));
    pages.Add(PageBytes(1));
    pages.Add(PageBytes(2));
    pages.Metafile(0);
    pages.Metafile(0);
    pages.Metafile(2);
    pages.Add(PageBytes(3)); // page 1, never read, goes to the storage
    EXPECT_FALSE(pages.Entry(1).Has(msInMemory));
    EXPECT_TRUE(pages.Entry(1).Has(msInStorage));
    EXPECT_TRUE(pages.Entry(0).Has(msInMemory));
    EXPECT_TRUE(pages.Entry(2).Has(msInMemory));
    EXPECT_EQ(pages.Entry(1).Offset(), 0);
    EXPECT_EQ(pages.Entry(1).Size(), PageBytes(1).size());
}

TEST(MetafileList, DeletingTheLastStoredPageGivesItsSpaceBack) {
    TMetafileList pages;
    pages.SetCacheSize(1);
    pages.Add(PageBytes(0));
    pages.Add(PageBytes(1));
    pages.Add(PageBytes(2)); // pages 0 and 1 are stored, one after the other
    const int64_t end = pages.Entry(1).Offset() + pages.Entry(1).Size();
    EXPECT_EQ(QFileInfo(pages.StorageFileName()).size(), end);
    pages.Delete(1);
    EXPECT_EQ(QFileInfo(pages.StorageFileName()).size(), pages.Entry(0).Size());
    EXPECT_EQ(pages.Metafile(1), PageBytes(2));
    EXPECT_EQ(pages.Metafile(0), PageBytes(0));
    pages.Delete(0);
    const QString file = pages.StorageFileName();
    pages.Delete(0); // the only page: everything goes
    EXPECT_EQ(pages.Count(), 0);
    EXPECT_FALSE(QFile::exists(file));
}

TEST(MetafileList, NotificationsTellWhatChanged) {
    TMetafileList pages;
    QList<int> single;
    int multiple = 0;
    pages.OnSingleChange = [&single](int index) {
        single.append(index);
    };
    pages.OnMultipleChange = [&multiple] {
        ++multiple;
    };
    pages.Add(PageBytes(0));
    pages.Add(PageBytes(1));
    pages.Insert(0, PageBytes(2));
    pages.Delete(2);
    pages.Clear();
    EXPECT_EQ(single, (QList<int>{0, 1, 0}));
    EXPECT_EQ(multiple, 2);
}

} // namespace
} // namespace zov
