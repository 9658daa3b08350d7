#include "RtfKeywords.h"

#include <QChar>
#include <string_view>
#include <unordered_map>

namespace zov {
namespace {

using TKeywordMap = std::unordered_map<std::string_view, TRtfKeyword>;

const TKeywordMap& Keywords() {
    static const TKeywordMap map = {
        {"ansi", kwAnsi},
        {"mac", kwMac},
        {"pc", kwPc},
        {"pca", kwPca},
        {"ansicpg", kwAnsiCpg},
        {"deff", kwDeff},
        {"fonttbl", kwFontTable},
        {"colortbl", kwColorTable},
        {"fcharset", kwFontCharset},
        {"red", kwRed},
        {"green", kwGreen},
        {"blue", kwBlue},
        {"uc", kwUc},
        // Destinations without text for the document.
        {"info", kwSkipDestination},
        {"header", kwSkipDestination},
        {"headerl", kwSkipDestination},
        {"headerr", kwSkipDestination},
        {"headerf", kwSkipDestination},
        {"footer", kwSkipDestination},
        {"footerl", kwSkipDestination},
        {"footerr", kwSkipDestination},
        {"footerf", kwSkipDestination},
        {"footnote", kwSkipDestination},
        {"annotation", kwSkipDestination},
        {"fldinst", kwSkipDestination},
        {"object", kwSkipDestination},
        {"pntxta", kwSkipDestination},
        {"revtbl", kwSkipDestination},
        {"rsidtbl", kwSkipDestination},
        {"filetbl", kwSkipDestination},
        {"falt", kwSkipDestination},
        {"panose", kwSkipDestination},
        {"xe", kwSkipDestination},
        {"tc", kwSkipDestination},
        {"txe", kwSkipDestination},
        {"rxe", kwSkipDestination},
        {"comment", kwSkipDestination},
        {"author", kwSkipDestination},
        {"title", kwSkipDestination},
        {"subject", kwSkipDestination},
        {"keywords", kwSkipDestination},
        {"operator", kwSkipDestination},
        {"doccomm", kwSkipDestination},
        {"nonshppict", kwSkipDestination},
        {"themedata", kwSkipDestination},
        {"colorschememapping", kwSkipDestination},
        {"latentstyles", kwSkipDestination},
        {"datastore", kwSkipDestination},
        {"par", kwPar},
        {"line", kwLine},
        {"tab", kwTab},
        {"page", kwPage},
        {"sect", kwSect},
        {"u", kwUnicode},
        {"emdash", kwEmDash},
        {"endash", kwEnDash},
        {"emspace", kwEmSpace},
        {"enspace", kwEnSpace},
        {"qmspace", kwQmSpace},
        {"bullet", kwBullet},
        {"lquote", kwLQuote},
        {"rquote", kwRQuote},
        {"ldblquote", kwLDblQuote},
        {"rdblquote", kwRDblQuote},
        {"zwj", kwZwj},
        {"zwnj", kwZwnj},
        {"ltrmark", kwLtrMark},
        {"rtlmark", kwRtlMark},
        {"plain", kwPlain},
        {"f", kwFont},
        {"fs", kwFontSize},
        {"b", kwBold},
        {"i", kwItalic},
        {"ul", kwUnderline},
        {"ulw", kwUnderline},
        {"ulth", kwUnderline},
        {"uldb", kwUnderlineDouble},
        {"uld", kwUnderlineDotted},
        {"uldash", kwUnderlineDash},
        {"uldashd", kwUnderlineDash},
        {"uldashdd", kwUnderlineDash},
        {"ulwave", kwUnderlineWave},
        {"ulnone", kwUnderlineNone},
        {"strike", kwStrike},
        {"striked", kwStrikeDouble},
        {"cf", kwColor},
        {"highlight", kwHighlight},
        {"cb", kwBackground},
        {"chcbpat", kwBackground},
        {"super", kwSuper},
        {"sub", kwSub},
        {"nosupersub", kwNoSuperSub},
        {"up", kwUp},
        {"dn", kwDown},
        {"pard", kwPard},
        {"ql", kwAlignLeft},
        {"qc", kwAlignCenter},
        {"qr", kwAlignRight},
        {"qj", kwAlignJustify},
        {"qd", kwAlignJustify},
        {"li", kwLeftIndent},
        {"lin", kwLeftIndent},
        {"ri", kwRightIndent},
        {"rin", kwRightIndent},
        {"fi", kwFirstIndent},
        {"sb", kwSpaceBefore},
        {"sa", kwSpaceAfter},
        {"sl", kwLineSpacing},
        {"slmult", kwLineSpacingMultiple},
        {"tqr", kwTabRight},
        {"tqc", kwTabCenter},
        {"tqdec", kwTabDecimal},
        {"tx", kwTabStop},
        {"pn", kwPn},
        {"pnlvlblt", kwPnLevelBullet},
        {"pnlvlbody", kwPnLevelBody},
        {"pnlvl", kwPnLevel},
        {"pndec", kwPnDecimal},
        {"pnlcltr", kwPnLowerLetter},
        {"pnucltr", kwPnUpperLetter},
        {"pnlcrm", kwPnLowerRoman},
        {"pnucrm", kwPnUpperRoman},
        {"pntxtb", kwPnTextBefore},
        {"listtable", kwListTable},
        {"list", kwList},
        {"listlevel", kwListLevel},
        {"levelnfc", kwLevelNfc},
        {"levelnfcn", kwLevelNfc},
        {"leveltext", kwLevelText},
        {"listid", kwListId},
        {"listoverridetable", kwListOverrideTable},
        {"listoverride", kwListOverride},
        {"ls", kwListOverrideNumber},
        {"ilvl", kwListLevelNumber},
        {"pntext", kwListText},
        {"listtext", kwListText},
        {"stylesheet", kwStyleSheet},
        {"s", kwStyle},
        {"cs", kwOtherStyle},
        {"ds", kwOtherStyle},
        {"ts", kwOtherStyle},
        {"pict", kwPict},
        {"shppict", kwShpPict},
        {"pngblip", kwPngBlip},
        {"jpegblip", kwJpegBlip},
        {"emfblip", kwEmfBlip},
        {"dibitmap", kwDiBitmap},
        {"wbitmap", kwWBitmap},
        {"wmetafile", kwPictureOther},
        {"macpict", kwPictureOther},
        {"pmmetafile", kwPictureOther},
        {"picw", kwPicW},
        {"pich", kwPicH},
        {"picwgoal", kwPicWGoal},
        {"pichgoal", kwPicHGoal},
        {"picscalex", kwPicScaleX},
        {"picscaley", kwPicScaleY},
        {"wbmbitspixel", kwWbmBitsPixel},
        {"wbmwidthbytes", kwWbmWidthBytes},
        {"trowd", kwRowDefaults},
        {"trleft", kwRowLeft},
        {"trgaph", kwRowGap},
        {"cellx", kwCellX},
        {"clmgf", kwCellMergeFirst},
        {"clmrg", kwCellMerge},
        {"clvmgf", kwCellVMergeFirst},
        {"clvmrg", kwCellVMerge},
        {"intbl", kwInTable},
        {"cell", kwCell},
        {"row", kwRow},
        {"nestcell", kwNestCell},
    };
    return map;
}

} // namespace

TRtfKeyword LookupRtfKeyword(QByteArrayView word) {
    const auto found = Keywords().find(std::string_view(word.data(), word.size()));
    return found != Keywords().end() ? found->second : kwUnknown;
}

char16_t RtfSpecialCharacter(TRtfKeyword keyword) {
    char16_t c = 0;
    switch (keyword) {
    case kwLine:
        c = QChar::LineSeparator;
        break;
    case kwTab:
        c = u'\t';
        break;
    case kwEmDash:
        c = 0x2014;
        break;
    case kwEnDash:
        c = 0x2013;
        break;
    case kwEmSpace:
        c = 0x2003;
        break;
    case kwEnSpace:
        c = 0x2002;
        break;
    case kwQmSpace:
        c = 0x2005;
        break;
    case kwBullet:
        c = 0x2022;
        break;
    case kwLQuote:
        c = 0x2018;
        break;
    case kwRQuote:
        c = 0x2019;
        break;
    case kwLDblQuote:
        c = 0x201C;
        break;
    case kwRDblQuote:
        c = 0x201D;
        break;
    case kwZwj:
        c = 0x200D;
        break;
    case kwZwnj:
        c = 0x200C;
        break;
    case kwLtrMark:
        c = 0x200E;
        break;
    case kwRtlMark:
        c = 0x200F;
        break;
    default:
        break;
    }
    return c;
}

} // namespace zov
