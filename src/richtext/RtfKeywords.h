#pragma once

#include <QByteArrayView>
#include <cstdint>

namespace zov {

// The control words the reader acts on; every other word is passed over.
enum TRtfKeyword : uint8_t {
    kwUnknown,
    // header and tables
    kwAnsi,
    kwMac,
    kwPc,
    kwPca,
    kwAnsiCpg,
    kwDeff,
    kwFontTable,
    kwColorTable,
    kwFontCharset,
    kwRed,
    kwGreen,
    kwBlue,
    kwUc,
    // destinations whose content is not text
    kwSkipDestination,
    // text
    kwPar,
    kwLine,
    kwTab,
    kwPage,
    kwSect,
    kwUnicode,
    kwEmDash,
    kwEnDash,
    kwEmSpace,
    kwEnSpace,
    kwQmSpace,
    kwBullet,
    kwLQuote,
    kwRQuote,
    kwLDblQuote,
    kwRDblQuote,
    kwZwj,
    kwZwnj,
    kwLtrMark,
    kwRtlMark,
    // character formatting
    kwPlain,
    kwFont,
    kwFontSize,
    kwBold,
    kwItalic,
    kwUnderline,
    kwUnderlineDouble,
    kwUnderlineDotted,
    kwUnderlineDash,
    kwUnderlineWave,
    kwUnderlineNone,
    kwStrike,
    kwStrikeDouble,
    kwColor,
    kwHighlight,
    kwBackground,
    kwSuper,
    kwSub,
    kwNoSuperSub,
    kwUp,   // "\upN": raised by N half points, shown as superscript
    kwDown, // "\dnN": lowered, shown as subscript
    // paragraph formatting
    kwPard,
    kwAlignLeft,
    kwAlignCenter,
    kwAlignRight,
    kwAlignJustify,
    kwLeftIndent,
    kwRightIndent,
    kwFirstIndent,
    kwSpaceBefore,
    kwSpaceAfter,
    kwLineSpacing,
    kwLineSpacingMultiple,
    kwTabRight,
    kwTabCenter,
    kwTabDecimal,
    kwTabStop,
    // lists: the rich-edit control's "\pn" form
    kwPn,
    kwPnLevelBullet,
    kwPnLevelBody,
    kwPnLevel,
    kwPnDecimal,
    kwPnLowerLetter,
    kwPnUpperLetter,
    kwPnLowerRoman,
    kwPnUpperRoman,
    kwPnTextBefore,
    // lists: the word processors' list tables
    kwListTable,
    kwList,
    kwListLevel,
    kwLevelNfc,
    kwLevelText,
    kwListId,
    kwListOverrideTable,
    kwListOverride,
    kwListOverrideNumber,
    kwListLevelNumber,
    // a list item's number as text, for readers without lists
    kwListText,
    // styles
    kwStyleSheet,
    kwStyle,
    kwOtherStyle, // character, section and table styles: not paragraph defaults
    // pictures
    kwPict,
    kwShpPict,
    kwPngBlip,
    kwJpegBlip,
    kwEmfBlip,
    kwDiBitmap,
    kwWBitmap,
    kwPictureOther, // a format the reader does not show
    kwPicW,
    kwPicH,
    kwPicWGoal,
    kwPicHGoal,
    kwPicScaleX,
    kwPicScaleY,
    kwWbmBitsPixel,
    kwWbmWidthBytes,
    // tables
    kwRowDefaults,
    kwRowLeft,
    kwRowGap,
    kwCellX,
    kwCellMergeFirst,
    kwCellMerge,
    kwCellVMergeFirst,
    kwCellVMerge,
    kwInTable,
    kwCell,
    kwRow,
    kwNestCell
};

TRtfKeyword LookupRtfKeyword(QByteArrayView word);
// The character a control word stands for ("\emdash", "\tab", ...); 0 for others.
char16_t RtfSpecialCharacter(TRtfKeyword keyword);

} // namespace zov
