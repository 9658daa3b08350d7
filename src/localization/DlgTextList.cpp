#include "localization/DlgTextList.h"

#include <algorithm>

namespace zov {
void TDlgTextList::SetSorted() {
    if (fMode == lmSorted) {
        return;
    }
    std::stable_sort(fItems.begin(), fItems.end(),
                     [](const TItem& a, const TItem& b) { return a.Folded < b.Folded; });
    fMode = lmSorted;
}

TDlgText& TDlgTextList::Add(const QString& key, const QString& text) {
    TItem item{key.toCaseFolded(), std::make_unique<TDlgText>(TDlgText{key, text})};
    TDlgText& entry = *item.Entry;
    if (!fByKey.contains(item.Folded)) {
        fByKey.insert(item.Folded, &entry);
    }
    if (fMode == lmSorted) {
        const auto at = std::upper_bound(
            fItems.begin(), fItems.end(), item.Folded,
            [](const QString& folded, const TItem& other) { return folded < other.Folded; });
        fItems.insert(at, std::move(item));
    } else {
        fItems.push_back(std::move(item));
    }
    return entry;
}

TDlgText* TDlgTextList::Find(const QString& key) {
    return fByKey.value(key.toCaseFolded(), nullptr);
}

} // namespace zov
