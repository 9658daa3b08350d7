#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace zov {

// One catalogue entry: a key and its text in the current language. The text "#"
// marks a key that has no text in this language yet.
struct TDlgText {
    QString Key;
    QString Text;
};

// The catalogue's entries in key order or in the order they were added. Lookup goes
// through a hash of the case-folded key, so keys differing only in case are one key.
class TDlgTextList {
public:
    enum TListMode : uint8_t { lmUnsorted, lmSorted };

    TListMode Mode() const { return fMode; }
    // Sorts the entries by key without regard to case (stable) and keeps them sorted.
    void SetSorted();

    // Adds an entry without looking for the key: appended when unsorted, at its place
    // when sorted. A lookup finds the first entry added under a key.
    TDlgText& Add(const QString& key, const QString& text);
    TDlgText* Find(const QString& key);

    qsizetype Count() const { return static_cast<qsizetype>(fItems.size()); }
    const TDlgText& Items(qsizetype index) const { return *fItems[index].Entry; }

private:
    struct TItem {
        QString Folded;
        std::unique_ptr<TDlgText> Entry;
    };

    std::vector<TItem> fItems;
    QHash<QString, TDlgText*> fByKey;
    TListMode fMode = lmUnsorted;
};

} // namespace zov
