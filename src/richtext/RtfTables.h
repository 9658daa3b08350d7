#pragma once

#include "RtfCodePages.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace zov {

struct TRtfFont {
    QString name;
    int charset = kRtfNoCharset;
};

// "\fonttbl": fonts by their number. Entries beyond a fixed count are dropped.
class TRtfFontTable {
public:
    static constexpr qsizetype kMaxFonts = 4096;

    void Define(int number, const TRtfFont& font);
    const TRtfFont* Find(int number) const;

private:
    QHash<int, TRtfFont> fFonts;
};

// "\colortbl": colours by their index; an empty entry (usually the first) is the
// automatic colour, which leaves the text's default in place.
class TRtfColorTable {
public:
    static constexpr size_t kMaxColors = 4096;

    void SetRed(int value) {
        fRed = value;
        fSet = true;
    }
    void SetGreen(int value) {
        fGreen = value;
        fSet = true;
    }
    void SetBlue(int value) {
        fBlue = value;
        fSet = true;
    }
    // Ends an entry (the ';' after its components).
    void EndEntry();
    std::optional<QColor> Find(int index) const;

private:
    std::vector<std::optional<QColor>> fColors;
    int fRed = 0;
    int fGreen = 0;
    int fBlue = 0;
    bool fSet = false;
};

} // namespace zov
