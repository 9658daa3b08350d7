#include "RtfLists.h"

namespace zov {
namespace {

// "\levelnfc" values with a style of their own.
enum TRtfLevelNfc : uint8_t {
    lnDecimal = 0,
    lnUpperRoman = 1,
    lnLowerRoman = 2,
    lnUpperLetter = 3,
    lnLowerLetter = 4,
    lnBullet = 23
};

} // namespace

bool IsRtfBulletStyle(QTextListFormat::Style style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

QTextListFormat::Style RtfNumberingStyle(int levelNfc) {
    switch (levelNfc) {
    case lnUpperRoman:
        return QTextListFormat::ListUpperRoman;
    case lnLowerRoman:
        return QTextListFormat::ListLowerRoman;
    case lnUpperLetter:
        return QTextListFormat::ListUpperAlpha;
    case lnLowerLetter:
        return QTextListFormat::ListLowerAlpha;
    case lnBullet:
        return QTextListFormat::ListDisc;
    default:
        return QTextListFormat::ListDecimal;
    }
}

QTextListFormat::Style RtfBulletStyle(QChar bullet) {
    switch (bullet.unicode()) {
    case u'o':
    case 0x25CB: // white circle
    case 0x25E6: // white bullet
    case 0xF06F: // "o" in a symbol font
        return QTextListFormat::ListCircle;
    case 0x00A7: // the square of Wingdings, read as a Windows-1252 byte
    case 0xF0A7:
    case 0xF06E: // "n" in Wingdings
    case 0x25A0:
    case 0x25AA:
        return QTextListFormat::ListSquare;
    default:
        return QTextListFormat::ListDisc;
    }
}

QTextListFormat::Style TRtfPnList::Style() const {
    return bullet ? RtfBulletStyle(bulletCharacter) : numbering;
}

void TRtfListTable::BeginList() {
    fLevels.fill(QTextListFormat::ListDecimal);
    fLevelCount = 0;
    fLevelOpen = false;
    fListId = 0;
}

void TRtfListTable::BeginLevel() {
    fLevelOpen = fLevelCount < kRtfMaxListLevels;
    if (fLevelOpen) {
        ++fLevelCount;
    }
}

void TRtfListTable::SetLevelNumbering(int levelNfc) {
    if (fLevelOpen) {
        fLevels[fLevelCount - 1] = RtfNumberingStyle(levelNfc);
    }
}

void TRtfListTable::SetLevelText(const QString& text) {
    if (fLevelOpen && IsRtfBulletStyle(fLevels[fLevelCount - 1]) && !text.isEmpty()) {
        fLevels[fLevelCount - 1] = RtfBulletStyle(text.front());
    }
}

void TRtfListTable::SetListId(int id) {
    fListId = id;
}

void TRtfListTable::EndList() {
    if (fLists.contains(fListId) || fLists.size() < kMaxLists) {
        fLists.insert(fListId, fLevels);
    }
    fLevelOpen = false;
}

void TRtfListTable::BeginOverride() {
    fOverrideListId = 0;
    fOverrideNumber = 0;
}

void TRtfListTable::SetOverrideListId(int id) {
    fOverrideListId = id;
}

void TRtfListTable::SetOverrideNumber(int number) {
    fOverrideNumber = number;
}

void TRtfListTable::EndOverride() {
    if (fOverrides.contains(fOverrideNumber) || fOverrides.size() < kMaxOverrides) {
        fOverrides.insert(fOverrideNumber, fOverrideListId);
    }
}

QTextListFormat::Style TRtfListTable::Find(int overrideNumber, int level) const {
    const auto override = fOverrides.constFind(overrideNumber);
    if (override == fOverrides.cend() || level < 0 || level >= kRtfMaxListLevels) {
        return QTextListFormat::ListStyleUndefined;
    }
    const auto list = fLists.constFind(*override);
    return list != fLists.cend() ? (*list)[level] : QTextListFormat::ListStyleUndefined;
}

} // namespace zov
