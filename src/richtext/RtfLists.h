#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <QTextListFormat>
#include <array>

namespace zov {

// Lists nest at most this deep, in both RTF forms.
constexpr int kRtfMaxListLevels = 9;

bool IsRtfBulletStyle(QTextListFormat::Style style);
// The style of "\levelnfcN": decimal for the number kinds Qt has no style for.
QTextListFormat::Style RtfNumberingStyle(int levelNfc);
// A bullet's shape from its character: a circle for "o", a square for the
// Wingdings/Symbol square, a disc otherwise.
QTextListFormat::Style RtfBulletStyle(QChar bullet);

// "{\*\pn ...}": the list the rich-edit control gives a paragraph directly.
struct TRtfPnList {
    bool bullet = false;
    QTextListFormat::Style numbering = QTextListFormat::ListDecimal;
    int level = 0;
    QChar bulletCharacter; // from "{\pntxtb ...}"

    QTextListFormat::Style Style() const;
};

// "\listtable" and "\listoverridetable": the style of each level of each list,
// found by a paragraph's "\ls" and "\ilvl". Lists, levels and overrides beyond
// fixed counts are dropped.
class TRtfListTable {
public:
    static constexpr qsizetype kMaxLists = 1024;
    static constexpr qsizetype kMaxOverrides = 1024;

    // A "\list" group: its levels in order, then its "\listid".
    void BeginList();
    void BeginLevel();
    void SetLevelNumbering(int levelNfc);
    // "{\leveltext ...}" as text: a bullet level takes its shape from it.
    void SetLevelText(const QString& text);
    void SetListId(int id);
    void EndList();
    // A "\listoverride" group: the list it refers to and its "\ls" number.
    void BeginOverride();
    void SetOverrideListId(int id);
    void SetOverrideNumber(int number);
    void EndOverride();

    // The style of a level of the list "\ls" names; ListStyleUndefined for none.
    QTextListFormat::Style Find(int overrideNumber, int level) const;

private:
    using TLevels = std::array<QTextListFormat::Style, kRtfMaxListLevels>;

    QHash<int, TLevels> fLists; // by "\listid"
    QHash<int, int> fOverrides; // "\ls" number -> "\listid"
    TLevels fLevels{};          // the list being read
    int fLevelCount = 0;
    bool fLevelOpen = false; // the last "\listlevel" is within the bound
    int fListId = 0;
    int fOverrideListId = 0; // the override being read
    int fOverrideNumber = 0;
};

} // namespace zov
