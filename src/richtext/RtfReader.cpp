#include "RtfReader.h"

#include "RtfCodePages.h"
#include "RtfDocumentBuilder.h"
#include "RtfFormatState.h"
#include "RtfImageProperties.h"
#include "RtfKeywords.h"
#include "RtfLists.h"
#include "RtfPicture.h"
#include "RtfRowDefinition.h"
#include "RtfTables.h"
#include "RtfTokenizer.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>
#include <vector>

namespace zov {
namespace {

// Where the text of a group goes.
enum TRtfDestination : uint8_t {
    rdText,
    rdSkip,
    rdFontTable,
    rdColorTable,
    rdStyleSheet,
    rdPicture,
    rdListText,          // "\pntext", "\listtext": kept only for a paragraph in no list
    rdPn,                // "{\*\pn ...}"
    rdPnTextBefore,      // "{\pntxtb ...}": the bullet character
    rdListTable,         // "\listtable"
    rdList,              // "\list"
    rdListLevel,         // "\listlevel"
    rdLevelText,         // "\leveltext"
    rdListOverrideTable, // "\listoverridetable"
    rdListOverride       // "\listoverride"
};

// Destinations of list definitions, whose words are read by HandleListWord.
bool IsListDefinition(TRtfDestination destination) {
    return destination >= rdPn;
}

// The optional destinations ("{\*\word ...}") that are read: the list definitions,
// and the pictures word processors give beside a plainer one for older readers.
bool IsReadOptionalDestination(QByteArrayView word) {
    const TRtfKeyword keyword = LookupRtfKeyword(word);
    return keyword == kwPn || keyword == kwListTable || keyword == kwListOverrideTable ||
           keyword == kwShpPict;
}

// Destinations whose text is read (into the document or set aside).
bool TakesText(TRtfDestination destination) {
    return destination == rdText || destination == rdListText || destination == rdPnTextBefore ||
           destination == rdLevelText;
}

struct TRtfGroupState {
    TRtfDestination destination = rdText;
    TRtfCharState chars;
    TRtfParaState para;
    int unicodeSkip = 1; // "\ucN": fallback characters after each "\uN"
};

// Groups nested deeper than this are read as if their braces were not there.
constexpr size_t kMaxDepth = 256;
constexpr int kMaxUnicodeSkip = 1000;
constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kFrameStart = 0xFDD0; // QTextBeginningOfFrame
constexpr char16_t kFrameEnd = 0xFDD1;   // QTextEndOfFrame
constexpr char16_t kObjectMark = QChar::ObjectReplacementCharacter;
constexpr qsizetype kMaxFontName = 256;
constexpr qsizetype kMaxSetAside = 256; // characters of list texts and bullet texts
constexpr qsizetype kMaxStyles = 4096;
constexpr qsizetype kMaxCachedFormats = 4096;
constexpr int kNoStyle = -1; // a style entry that defines no paragraph style

// A paragraph style of "\stylesheet": the formatting "\sN" starts a paragraph with.
struct TRtfStyle {
    TRtfCharState chars;
    TRtfParaState para;
};

class TRtfReader {
public:
    TRtfReader(QByteArrayView rtf, QTextDocument& document)
        : fTokenizer(rtf), fBuilder(document, fRowDefinition) {}

    TRtfReadResult Read();

private:
    TRtfGroupState& Top() { return fStack.back(); }
    void StartGroup();
    bool EndGroup();
    void HandleWord(const TRtfToken& token);
    void HandleSymbol(char symbol);
    void HandleText(QByteArrayView bytes);
    void HandleByte(uint8_t byte);
    bool HandleDestination(TRtfKeyword keyword);
    void HandleUnicode(int32_t value);
    void HandleFontTableText(QByteArrayView bytes);
    void CommitFont();
    void HandleListWord(TRtfKeyword keyword, const TRtfToken& token);
    void HandlePictureWord(TRtfKeyword keyword, const TRtfToken& token);
    void HandleStyleSheetWord(TRtfKeyword keyword, const TRtfToken& token);
    bool HandleTableWord(TRtfKeyword keyword, const TRtfToken& token);
    void HandleStyleSheetText(QByteArrayView bytes);
    void ApplyStyle(int number);
    void EndPicture();
    void EndDestination(TRtfDestination destination);
    TRtfListItem ListItem(const TRtfParaState& para) const;
    void EndParagraph();
    void ResolveListText();

    void AppendBytes(QByteArrayView bytes);
    void AppendChars(const QString& text);
    void FlushBytes();
    // The font or colour table changed: formats must be made again.
    void InvalidateFormats() {
        fFormatValid = false;
        fFormats.clear();
    }
    const TRtfFont* CurrentFont() const;
    int CurrentCodePage() const;

    TRtfTokenizer fTokenizer;
    TRtfRowDefinition fRowDefinition; // before the builder, which refers to it
    TRtfDocumentBuilder fBuilder;
    TRtfTextDecoder fDecoder;
    TRtfFontTable fFonts;
    TRtfColorTable fColors;
    TRtfListTable fLists;
    QHash<int, TRtfStyle> fStyles;
    int fStyleNumber = 0; // the "\sN" of the style being defined
    TRtfPicture fPicture;
    TRtfPnList fPn;    // the "\pn" group being read
    QString fSetAside; // the text of "\pntxtb" or "\leveltext" being read
    QString fListText; // "\pntext"/"\listtext" waiting for the paragraph's list
    QTextCharFormat fListTextFormat;
    std::vector<TRtfGroupState> fStack;
    size_t fIgnoredDepth = 0; // open groups beyond kMaxDepth
    int fCodePage = kRtfDefaultCodePage;
    int fDefaultFont = 0;
    int fSkipLeft = 0;           // fallback characters still to pass over
    bool fStarPending = false;   // "\*": the group is an optional destination
    char16_t fHighSurrogate = 0; // the first half of a "\uN" pair

    QByteArray fBytes; // text bytes not yet decoded, all in fBytesCodePage
    int fBytesCodePage = kRtfDefaultCodePage;

    // The font entry "\fonttbl" is defining.
    int fFontNumber = 0;
    int fFontCharset = kRtfNoCharset;
    QByteArray fFontName;
    bool fFontOpen = false;

    // The character format of the last text, made again only when the state changes.
    TRtfCharState fFormatState;
    QTextCharFormat fFormat;
    bool fFormatValid = false;
    // Formats made so far, by state: documents switch among a few again and again.
    QHash<TRtfCharState, QTextCharFormat> fFormats;
};

TRtfReadResult TRtfReader::Read() {
    while (true) {
        const TRtfToken token = fTokenizer.Next();
        if (token.kind == rtEnd) {
            break;
        }
        if (token.kind == rtGroupStart) {
            StartGroup();
            continue;
        }
        if (token.kind == rtGroupEnd) {
            if (EndGroup()) {
                return rrComplete;
            }
            continue;
        }
        if (fStack.empty()) {
            continue; // text before the first group is not part of the document
        }
        if (token.kind == rtControlWord && token.word == "bin") {
            // Binary data is never text; in a picture it is the picture.
            const QByteArrayView bytes =
                fTokenizer.TakeBytes(token.hasParameter ? token.parameter : 0);
            if (Top().destination == rdPicture) {
                fPicture.AddBinary(bytes);
            }
            continue;
        }
        if (Top().destination == rdSkip) {
            continue;
        }
        const bool star = std::exchange(fStarPending, false);
        if (star && token.kind == rtControlWord && !IsReadOptionalDestination(token.word)) {
            // An optional destination: its first word names it, and only the list
            // definitions among ours are written as optional ones.
            FlushBytes();
            Top().destination = rdSkip;
            continue;
        }
        if (fSkipLeft > 0 && token.kind != rtText) {
            --fSkipLeft;
            continue;
        }
        switch (token.kind) {
        case rtControlWord:
            HandleWord(token);
            break;
        case rtControlSymbol:
            HandleSymbol(token.symbol);
            break;
        case rtHexByte:
            HandleByte(token.byte);
            break;
        case rtText:
            HandleText(token.word);
            break;
        default:
            break;
        }
    }
    FlushBytes();
    if (fStack.empty()) {
        fBuilder.Finish(RtfBlockFormat(TRtfParaState{}), TRtfListItem{});
    } else {
        ResolveListText();
        fBuilder.Finish(RtfBlockFormat(Top().para), ListItem(Top().para));
    }
    return rrPartial;
}

void TRtfReader::StartGroup() {
    FlushBytes();
    fSkipLeft = 0;
    fStarPending = false;
    if (fIgnoredDepth > 0 || fStack.size() >= kMaxDepth) {
        ++fIgnoredDepth;
        return;
    }
    if (!fStack.empty() && Top().destination == rdStyleSheet) {
        fStyleNumber = 0; // an entry without "\sN" defines the normal style
    }
    fStack.push_back(fStack.empty() ? TRtfGroupState{} : Top());
}

bool TRtfReader::EndGroup() {
    FlushBytes();
    fSkipLeft = 0;
    fStarPending = false;
    if (fIgnoredDepth > 0) {
        --fIgnoredDepth;
        return false;
    }
    if (fStack.empty()) {
        return false;
    }
    if (Top().destination == rdFontTable) {
        CommitFont();
    }
    if (fStack.size() == 1) {
        // The paragraph the document's last mark leaves open keeps the outer format.
        ResolveListText();
        fBuilder.Finish(RtfBlockFormat(Top().para), ListItem(Top().para));
        fStack.pop_back();
        return true;
    }
    const TRtfDestination destination = Top().destination;
    fStack.pop_back();
    if (destination != Top().destination) {
        EndDestination(destination);
    }
    return false;
}

void TRtfReader::HandleWord(const TRtfToken& token) {
    const TRtfKeyword keyword = LookupRtfKeyword(token.word);
    const TRtfDestination destination = Top().destination;
    if (destination == rdFontTable) {
        if (keyword == kwFont) {
            CommitFont();
            fFontNumber = token.parameter;
            fFontCharset = kRtfNoCharset;
            fFontOpen = true;
        } else if (keyword == kwFontCharset) {
            fFontCharset = token.parameter;
        }
        return;
    }
    if (destination == rdPicture) {
        HandlePictureWord(keyword, token);
        return;
    }
    if (destination == rdStyleSheet) {
        HandleStyleSheetWord(keyword, token);
        return;
    }
    if (destination == rdColorTable) {
        if (keyword == kwRed) {
            fColors.SetRed(token.parameter);
        } else if (keyword == kwGreen) {
            fColors.SetGreen(token.parameter);
        } else if (keyword == kwBlue) {
            fColors.SetBlue(token.parameter);
        }
        return;
    }
    FlushBytes();
    if (IsListDefinition(destination)) {
        HandleListWord(keyword, token);
        return;
    }
    if (HandleDestination(keyword) || HandleTableWord(keyword, token)) {
        return;
    }
    if (const char16_t c = RtfSpecialCharacter(keyword)) {
        AppendChars(QString(QChar(c)));
        return;
    }
    switch (keyword) {
    case kwAnsi:
        fCodePage = kRtfDefaultCodePage;
        break;
    case kwMac:
        fCodePage = 10000;
        break;
    case kwPc:
        fCodePage = 437;
        break;
    case kwPca:
        fCodePage = 850;
        break;
    case kwAnsiCpg:
        fCodePage = token.parameter;
        break;
    case kwDeff:
        fDefaultFont = token.parameter;
        Top().chars.font = token.parameter;
        break;
    case kwUc:
        Top().unicodeSkip = std::clamp(token.parameter, 0, kMaxUnicodeSkip);
        break;
    case kwUnicode:
        HandleUnicode(token.parameter);
        break;
    case kwPar:
    case kwPage:
    case kwSect:
        EndParagraph();
        break;
    case kwStyle:
        ApplyStyle(token.parameter);
        break;
    default:
        ApplyRtfCharControl(Top().chars, keyword, token, fDefaultFont);
        ApplyRtfParaControl(Top().para, keyword, token);
        break;
    }
}

bool TRtfReader::HandleDestination(TRtfKeyword keyword) {
    switch (keyword) {
    case kwFontTable:
        Top().destination = rdFontTable;
        fFontOpen = false;
        return true;
    case kwColorTable:
        Top().destination = rdColorTable;
        return true;
    case kwSkipDestination:
        Top().destination = rdSkip;
        return true;
    case kwListText:
        ResolveListText();
        Top().destination = rdListText;
        return true;
    case kwPn:
        Top().destination = rdPn;
        fPn = TRtfPnList{};
        return true;
    case kwListTable:
        Top().destination = rdListTable;
        return true;
    case kwListOverrideTable:
        Top().destination = rdListOverrideTable;
        return true;
    case kwStyleSheet:
        Top().destination = rdStyleSheet;
        fStyleNumber = 0;
        return true;
    case kwPict:
        Top().destination = rdPicture;
        fPicture = TRtfPicture{};
        return true;
    case kwShpPict:
        return true; // the picture inside is read like any other
    default:
        return false;
    }
}

bool TRtfReader::HandleTableWord(TRtfKeyword keyword, const TRtfToken& token) {
    const int length = ClampRtfLength(token.parameter);
    switch (keyword) {
    case kwRowDefaults:
        fRowDefinition = TRtfRowDefinition{};
        return true;
    case kwRowLeft:
        fRowDefinition.left = length;
        return true;
    case kwRowGap:
        fRowDefinition.gap = std::max(length, 0);
        return true;
    case kwCellX:
        fRowDefinition.AddCell(length);
        return true;
    case kwCellMergeFirst:
        fRowDefinition.nextAcross = rmFirst;
        return true;
    case kwCellMerge:
        fRowDefinition.nextAcross = rmContinue;
        return true;
    case kwCellVMergeFirst:
        fRowDefinition.nextDown = rmFirst;
        return true;
    case kwCellVMerge:
        fRowDefinition.nextDown = rmContinue;
        return true;
    case kwCell:
        ResolveListText();
        fBuilder.EndCell(RtfBlockFormat(Top().para), ListItem(Top().para));
        return true;
    case kwNestCell:
        // Nested tables are read flat: each inner cell is a paragraph of the outer one.
        ResolveListText();
        fBuilder.EndParagraph(RtfBlockFormat(Top().para), ListItem(Top().para), true);
        return true;
    case kwRow:
        fBuilder.EndRow(fRowDefinition);
        // The next row's paragraphs say "\intbl" again; a paragraph mark right after
        // the row (as the rich-edit control's table text has it) is outside the table.
        Top().para.inTable = false;
        return true;
    default:
        return false;
    }
}

void TRtfReader::HandlePictureWord(TRtfKeyword keyword, const TRtfToken& token) {
    const int value = token.parameter;
    switch (keyword) {
    case kwPngBlip:
        fPicture.format = rpPng;
        break;
    case kwJpegBlip:
        fPicture.format = rpJpeg;
        break;
    case kwEmfBlip:
        fPicture.format = rpEmf;
        break;
    case kwDiBitmap:
        fPicture.format = rpDib;
        break;
    case kwWBitmap:
        fPicture.format = rpDdb;
        break;
    case kwPictureOther:
        fPicture.format = rpUnknown;
        break;
    case kwPicW:
        fPicture.picW = value;
        break;
    case kwPicH:
        fPicture.picH = value;
        break;
    case kwPicWGoal:
        fPicture.goalW = ClampRtfLength(value);
        break;
    case kwPicHGoal:
        fPicture.goalH = ClampRtfLength(value);
        break;
    case kwPicScaleX:
        fPicture.scaleX = value;
        break;
    case kwPicScaleY:
        fPicture.scaleY = value;
        break;
    case kwWbmBitsPixel:
        fPicture.ddbBitsPerPixel = value;
        break;
    case kwWbmWidthBytes:
        fPicture.ddbWidthBytes = value;
        break;
    default:
        break;
    }
}

void TRtfReader::EndPicture() {
    const TRtfPicture::TShown shown = fPicture.Decode();
    if (shown.image.isNull() || Top().destination != rdText) {
        return;
    }
    QTextImageFormat format;
    format.setWidth(shown.size.width());
    format.setHeight(shown.size.height());
    format.setProperty(kRtfPictureFormatProperty, RtfPictureFormatName(fPicture.format));
    if (fPicture.format == rpPng || fPicture.format == rpJpeg || fPicture.format == rpEmf) {
        format.setProperty(kRtfPictureDataProperty, fPicture.Data());
    }
    fBuilder.AppendImage(shown.image, format, Top().para.inTable);
}

void TRtfReader::HandleStyleSheetWord(TRtfKeyword keyword, const TRtfToken& token) {
    if (keyword == kwStyle || keyword == kwOtherStyle) {
        fStyleNumber = keyword == kwStyle ? token.parameter : kNoStyle;
        return;
    }
    ApplyRtfCharControl(Top().chars, keyword, token, fDefaultFont);
    ApplyRtfParaControl(Top().para, keyword, token);
}

void TRtfReader::HandleStyleSheetText(QByteArrayView bytes) {
    if (!bytes.contains(';')) {
        return;
    }
    // The style's name ends its definition.
    if (fStyleNumber != kNoStyle &&
        (fStyles.size() < kMaxStyles || fStyles.contains(fStyleNumber))) {
        fStyles.insert(fStyleNumber, {Top().chars, Top().para});
    }
    fStyleNumber = 0;
}

void TRtfReader::ApplyStyle(int number) {
    const auto found = fStyles.constFind(number);
    if (found == fStyles.constEnd()) {
        return;
    }
    // The style gives formatting, not the paragraph's place in a table or list.
    TRtfParaState& para = Top().para;
    const TRtfParaState kept = para;
    para = found->para;
    para.inTable = kept.inTable;
    para.pnStyle = kept.pnStyle;
    para.pnLevel = kept.pnLevel;
    para.listOverride = kept.listOverride;
    para.listLevel = kept.listLevel;
    Top().chars = found->chars;
}

void TRtfReader::HandleListWord(TRtfKeyword keyword, const TRtfToken& token) {
    TRtfGroupState& top = Top();
    switch (keyword) {
    case kwSkipDestination:
        top.destination = rdSkip;
        break;
    case kwUnicode:
        HandleUnicode(token.parameter);
        break;
    case kwUc:
        top.unicodeSkip = std::clamp(token.parameter, 0, kMaxUnicodeSkip);
        break;
    case kwFont:
        top.chars.font = token.parameter; // the bullet's font tells its code page
        break;
    case kwPnLevelBullet:
        fPn.bullet = true;
        fPn.level = 0;
        break;
    case kwPnLevelBody:
        fPn.bullet = false;
        fPn.level = 0;
        break;
    case kwPnLevel:
        if (token.parameter >= 1 && token.parameter <= kRtfMaxListLevels) {
            fPn.level = token.parameter - 1;
        }
        break;
    case kwPnDecimal:
        fPn.numbering = QTextListFormat::ListDecimal;
        break;
    case kwPnLowerLetter:
        fPn.numbering = QTextListFormat::ListLowerAlpha;
        break;
    case kwPnUpperLetter:
        fPn.numbering = QTextListFormat::ListUpperAlpha;
        break;
    case kwPnLowerRoman:
        fPn.numbering = QTextListFormat::ListLowerRoman;
        break;
    case kwPnUpperRoman:
        fPn.numbering = QTextListFormat::ListUpperRoman;
        break;
    case kwPnTextBefore:
        if (top.destination == rdPn) {
            top.destination = rdPnTextBefore;
            fSetAside.clear();
        }
        break;
    case kwList:
        if (top.destination == rdListTable) {
            top.destination = rdList;
            fLists.BeginList();
        }
        break;
    case kwListLevel:
        if (top.destination == rdList) {
            top.destination = rdListLevel;
            fLists.BeginLevel();
        }
        break;
    case kwLevelNfc:
        if (top.destination == rdListLevel) {
            fLists.SetLevelNumbering(token.parameter);
        }
        break;
    case kwLevelText:
        if (top.destination == rdListLevel) {
            top.destination = rdLevelText;
            fSetAside.clear();
        }
        break;
    case kwListId:
        if (top.destination == rdList) {
            fLists.SetListId(token.parameter);
        } else if (top.destination == rdListOverride) {
            fLists.SetOverrideListId(token.parameter);
        }
        break;
    case kwListOverride:
        if (top.destination == rdListOverrideTable) {
            top.destination = rdListOverride;
            fLists.BeginOverride();
        }
        break;
    case kwListOverrideNumber:
        if (top.destination == rdListOverride) {
            fLists.SetOverrideNumber(token.parameter);
        }
        break;
    default:
        break;
    }
}

void TRtfReader::EndDestination(TRtfDestination destination) {
    switch (destination) {
    case rdPn:
        Top().para.pnStyle = fPn.Style();
        Top().para.pnLevel = fPn.level;
        break;
    case rdPnTextBefore:
        if (!fSetAside.isEmpty()) {
            fPn.bulletCharacter = fSetAside.front();
        }
        break;
    case rdList:
        fLists.EndList();
        break;
    case rdLevelText:
        fLists.SetLevelText(fSetAside);
        break;
    case rdListOverride:
        fLists.EndOverride();
        break;
    case rdPicture:
        EndPicture();
        break;
    default:
        break;
    }
}

TRtfListItem TRtfReader::ListItem(const TRtfParaState& para) const {
    if (para.pnStyle != QTextListFormat::ListStyleUndefined) {
        // The rich-edit control's lists have no identity beyond their style.
        return {para.pnStyle, -1, para.pnLevel};
    }
    if (para.listOverride > 0) {
        return {fLists.Find(para.listOverride, para.listLevel), para.listOverride, para.listLevel};
    }
    return {};
}

void TRtfReader::EndParagraph() {
    ResolveListText();
    fBuilder.EndParagraph(RtfBlockFormat(Top().para), ListItem(Top().para), Top().para.inTable);
}

void TRtfReader::ResolveListText() {
    if (fListText.isEmpty()) {
        return;
    }
    // The number as text is for readers without lists; ours shows the list's own.
    if (ListItem(Top().para).style == QTextListFormat::ListStyleUndefined) {
        fBuilder.AppendText(fListText, fListTextFormat, Top().para.inTable);
    }
    fListText.clear();
}

void TRtfReader::HandleUnicode(int32_t value) {
    // Writers give characters above 32767 as negative 16-bit numbers.
    const int32_t code = value < 0 ? value + 0x10000 : value;
    fSkipLeft = Top().unicodeSkip;
    if (code <= 0 || code > 0x10FFFF) {
        return;
    }
    const char32_t c = static_cast<char32_t>(code);
    if (QChar::isHighSurrogate(c)) {
        fHighSurrogate = static_cast<char16_t>(c);
        return;
    }
    if (QChar::isLowSurrogate(c) && fHighSurrogate != 0) {
        const char16_t pair[] = {std::exchange(fHighSurrogate, char16_t{0}),
                                 static_cast<char16_t>(c)};
        AppendChars(QString(reinterpret_cast<const QChar*>(pair), 2));
        return;
    }
    AppendChars(QChar::isSurrogate(c) ? QString(QChar(kReplacement)) : QString::fromUcs4(&c, 1));
}

void TRtfReader::HandleSymbol(char symbol) {
    const TRtfDestination destination = Top().destination;
    if (symbol == '*') {
        fStarPending = true;
        return;
    }
    if (!TakesText(destination)) {
        return;
    }
    switch (symbol) {
    case '~':
        FlushBytes();
        AppendChars(QString(QChar(0x00A0)));
        break;
    case '-':
        FlushBytes();
        AppendChars(QString(QChar(0x00AD)));
        break;
    case '_':
        FlushBytes();
        AppendChars(QString(QChar(0x2011)));
        break;
    case '{':
    case '}':
    case '\\':
        AppendBytes(QByteArrayView(&symbol, 1));
        break;
    default:
        break;
    }
}

void TRtfReader::HandleText(QByteArrayView bytes) {
    const TRtfDestination destination = Top().destination;
    if (destination == rdFontTable) {
        HandleFontTableText(bytes);
        return;
    }
    if (destination == rdPicture) {
        fPicture.AddHex(bytes);
        return;
    }
    if (destination == rdStyleSheet) {
        HandleStyleSheetText(bytes);
        return;
    }
    if (destination == rdColorTable) {
        for (const char c : bytes) {
            if (c == ';') {
                fColors.EndEntry();
                InvalidateFormats();
            }
        }
        return;
    }
    if (!TakesText(destination)) {
        return;
    }
    const qsizetype skipped = std::min<qsizetype>(fSkipLeft, bytes.size());
    fSkipLeft -= static_cast<int>(skipped);
    AppendBytes(bytes.sliced(skipped));
}

void TRtfReader::HandleByte(uint8_t byte) {
    const char c = static_cast<char>(byte);
    if (Top().destination == rdFontTable) {
        HandleFontTableText(QByteArrayView(&c, 1));
    } else if (TakesText(Top().destination)) {
        AppendBytes(QByteArrayView(&c, 1));
    }
}

void TRtfReader::HandleFontTableText(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (!fFontOpen) {
            continue;
        }
        if (c == ';') {
            CommitFont();
        } else if (fFontName.size() < kMaxFontName) {
            fFontName.append(c);
        }
    }
}

void TRtfReader::CommitFont() {
    if (fFontOpen) {
        const int codePage = RtfCodePageOfCharset(fFontCharset, fCodePage);
        fFonts.Define(fFontNumber, {fDecoder.Decode(fFontName, codePage).trimmed(), fFontCharset});
        InvalidateFormats();
    }
    fFontName.clear();
    fFontOpen = false;
}

void TRtfReader::AppendBytes(QByteArrayView bytes) {
    const int codePage = CurrentCodePage();
    if (codePage != fBytesCodePage) {
        FlushBytes();
        fBytesCodePage = codePage;
    }
    // Control characters other than the tab are not text.
    for (const char c : bytes) {
        if (static_cast<uint8_t>(c) >= 0x20 || c == '\t') {
            fBytes.append(c);
        }
    }
}

void TRtfReader::AppendChars(const QString& input) {
    if (fHighSurrogate != 0) {
        fHighSurrogate = 0;
        AppendChars(QString(QChar(kReplacement)));
    }
    // The document marks its frames and pictures with characters of its own; as
    // text they would break its structure.
    QString text = input;
    const auto isReserved = [](QChar c) {
        return c == QChar(kFrameStart) || c == QChar(kFrameEnd) || c == QChar(kObjectMark);
    };
    if (std::any_of(text.cbegin(), text.cend(), isReserved)) {
        std::replace_if(text.begin(), text.end(), isReserved, QChar(kReplacement));
    }
    const TRtfDestination destination = Top().destination;
    if (destination == rdPnTextBefore || destination == rdLevelText) {
        fSetAside += text.first(std::min(text.size(), kMaxSetAside - fSetAside.size()));
        return;
    }
    if (!fFormatValid || !(fFormatState == Top().chars)) {
        fFormatState = Top().chars;
        auto found = fFormats.constFind(fFormatState);
        if (found == fFormats.constEnd()) {
            if (fFormats.size() >= kMaxCachedFormats) {
                fFormats.clear();
            }
            found =
                fFormats.insert(fFormatState, RtfCharFormat(fFormatState, CurrentFont(), fColors));
        }
        fFormat = *found;
        fFormatValid = true;
    }
    if (destination == rdListText) {
        fListText += text.first(std::min(text.size(), kMaxSetAside - fListText.size()));
        fListTextFormat = fFormat;
        return;
    }
    ResolveListText();
    fBuilder.AppendText(text, fFormat, Top().para.inTable);
}

void TRtfReader::FlushBytes() {
    if (!fBytes.isEmpty()) {
        const QString text = fDecoder.Decode(fBytes, fBytesCodePage);
        fBytes.clear();
        AppendChars(text);
    }
}

const TRtfFont* TRtfReader::CurrentFont() const {
    return fFonts.Find(fStack.back().chars.font);
}

int TRtfReader::CurrentCodePage() const {
    const TRtfFont* font = CurrentFont();
    return font != nullptr ? RtfCodePageOfCharset(font->charset, fCodePage) : fCodePage;
}

bool StartsAsRtf(QByteArrayView rtf) {
    const QByteArrayView trimmed = rtf.trimmed();
    return trimmed.startsWith("{\\rtf");
}

} // namespace

TRtfReadResult ReadRtf(QByteArrayView rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    TRtfReadResult result = rrNotRtf;
    if (StartsAsRtf(rtf)) {
        // One edit for the whole document: outside an edit, every insertion lays out
        // its paragraph again to place the cursor.
        QTextCursor edit(&document);
        edit.beginEditBlock();
        result = TRtfReader(rtf, document).Read();
        edit.endEditBlock();
    }
    document.setUndoRedoEnabled(undo);
    return result;
}

} // namespace zov
