#include "RtfFormatState.h"

#include "RtfLists.h"
#include "RtfTables.h"

#include <QFont>
#include <algorithm>

namespace zov {
namespace {

constexpr int kMaxLength = 31680 * 4; // four times the largest page Word allows
// Word's limit for exact and minimum line spacing: 1584 points. Qt takes minutes to
// lay out a large font at hundreds of lines' spacing.
constexpr int kMaxLineSpacing = 31680;
// Multiple spacing stops at ten lines: at 130 lines (Word allows 132) of its largest
// font, Qt's layout of a narrow column never ends.
constexpr int kMaxMultipleSpacing = 2400;
constexpr int kMaxHalfPoints = 3276; // 1638 points, Word's largest size
// Qt shrinks super- and subscripts from the whole point size, which must stay above 1.
constexpr int kMinHalfPoints = 3;
constexpr int kSingleSpacing = 240; // "\slmult1" counts in 240ths of a line

QTextCharFormat::UnderlineStyle UnderlineStyle(TRtfUnderline underline) {
    switch (underline) {
    case ruNone:
        return QTextCharFormat::NoUnderline;
    case ruSingle:
    case ruDouble: // Qt draws no double underline
        return QTextCharFormat::SingleUnderline;
    case ruDotted:
        return QTextCharFormat::DotLine;
    case ruDash:
        return QTextCharFormat::DashUnderline;
    case ruWave:
        return QTextCharFormat::WaveUnderline;
    }
    return QTextCharFormat::NoUnderline;
}

Qt::Alignment Alignment(TRtfAlignment alignment) {
    switch (alignment) {
    case raLeft:
        return Qt::AlignLeft;
    case raCenter:
        return Qt::AlignHCenter;
    case raRight:
        return Qt::AlignRight;
    case raJustify:
        return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

} // namespace

double RtfTwipsToPixels(int twips) {
    return twips / kRtfTwipsPerPixel;
}

int RtfPixelsToTwips(double pixels) {
    const double twips =
        std::clamp(pixels * kRtfTwipsPerPixel, double{-kMaxLength}, double{kMaxLength});
    return static_cast<int>(std::lround(twips));
}

int RtfHalfPoints(double points) {
    const double halfPoints =
        std::clamp(points * 2, double{kMinHalfPoints}, double{kMaxHalfPoints});
    return static_cast<int>(std::lround(halfPoints));
}

int ClampRtfLength(int twips) {
    return std::clamp(twips, -kMaxLength, kMaxLength);
}

void TRtfCharState::SetHalfPoints(int value) {
    halfPoints =
        value <= 0 ? kDefaultHalfPoints : std::clamp(value, kMinHalfPoints, kMaxHalfPoints);
}

void TRtfParaState::AddTab(int twips) {
    // The layout takes the first stop past the text, so the stops are kept in order;
    // a stop left of the margin or at a position already set is dropped.
    const double position = RtfTwipsToPixels(ClampRtfLength(twips));
    const auto at = std::lower_bound(
        tabs.begin(), tabs.end(), position,
        [](const QTextOption::Tab& tab, double value) { return tab.position < value; });
    if (twips >= 0 && tabs.size() < kMaxTabs && (at == tabs.end() || at->position != position)) {
        const QChar delimiter = nextTabType == QTextOption::DelimiterTab ? QChar('.') : QChar();
        tabs.insert(at, QTextOption::Tab(position, nextTabType, delimiter));
    }
    nextTabType = QTextOption::LeftTab;
}

QTextCharFormat RtfCharFormat(const TRtfCharState& state, const TRtfFont* font,
                              const TRtfColorTable& colors) {
    QTextCharFormat format;
    if (font != nullptr && !font->name.isEmpty()) {
        format.setFontFamilies({font->name});
    }
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setUnderlineStyle(UnderlineStyle(state.underline));
    format.setFontStrikeOut(state.strike);
    if (const auto color = colors.Find(state.color)) {
        format.setForeground(*color);
    }
    if (const auto background = colors.Find(state.background)) {
        format.setBackground(*background);
    }
    if (state.script == rsSuper) {
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (state.script == rsSub) {
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    }
    return format;
}

QTextBlockFormat RtfBlockFormat(const TRtfParaState& state) {
    QTextBlockFormat format;
    format.setAlignment(Alignment(state.alignment));
    format.setLeftMargin(RtfTwipsToPixels(state.leftIndent));
    format.setRightMargin(RtfTwipsToPixels(state.rightIndent));
    format.setTextIndent(RtfTwipsToPixels(state.firstIndent));
    format.setTopMargin(RtfTwipsToPixels(state.spaceBefore));
    format.setBottomMargin(RtfTwipsToPixels(state.spaceAfter));
    if (state.lineSpacing != 0) {
        if (state.lineSpacingMultiple) {
            const int spacing = std::min(std::abs(state.lineSpacing), kMaxMultipleSpacing);
            format.setLineHeight(100.0 * spacing / kSingleSpacing,
                                 QTextBlockFormat::ProportionalHeight);
        } else if (state.lineSpacing > 0) {
            format.setLineHeight(RtfTwipsToPixels(state.lineSpacing),
                                 QTextBlockFormat::MinimumHeight);
        } else {
            format.setLineHeight(RtfTwipsToPixels(-state.lineSpacing),
                                 QTextBlockFormat::FixedHeight);
        }
    }
    if (!state.tabs.isEmpty()) {
        format.setTabPositions(state.tabs);
    }
    return format;
}

void ApplyRtfCharControl(TRtfCharState& chars, TRtfKeyword keyword, const TRtfToken& token,
                         int defaultFont) {
    // A toggle without a parameter switches on; "0" switches off.
    const bool on = !token.hasParameter || token.parameter != 0;
    switch (keyword) {
    case kwPlain:
        chars = TRtfCharState{};
        chars.font = defaultFont;
        break;
    case kwFont:
        chars.font = token.parameter;
        break;
    case kwFontSize:
        chars.SetHalfPoints(token.parameter);
        break;
    case kwBold:
        chars.bold = on;
        break;
    case kwItalic:
        chars.italic = on;
        break;
    case kwStrike:
    case kwStrikeDouble:
        chars.strike = on;
        break;
    case kwUnderline:
        chars.underline = on ? ruSingle : ruNone;
        break;
    case kwUnderlineDouble:
        chars.underline = on ? ruDouble : ruNone;
        break;
    case kwUnderlineDotted:
        chars.underline = on ? ruDotted : ruNone;
        break;
    case kwUnderlineDash:
        chars.underline = on ? ruDash : ruNone;
        break;
    case kwUnderlineWave:
        chars.underline = on ? ruWave : ruNone;
        break;
    case kwUnderlineNone:
        chars.underline = ruNone;
        break;
    case kwColor:
        chars.color = token.parameter;
        break;
    case kwHighlight:
    case kwBackground:
        chars.background = token.parameter;
        break;
    case kwSuper:
        chars.script = rsSuper;
        break;
    case kwSub:
        chars.script = rsSub;
        break;
    case kwNoSuperSub:
        chars.script = rsNormal;
        break;
    case kwUp:
    case kwDown:
        // Qt has no raise by a given amount; the script position comes nearest.
        if (token.hasParameter && token.parameter == 0) {
            chars.script = rsNormal;
        } else {
            chars.script = keyword == kwUp ? rsSuper : rsSub;
        }
        break;
    default:
        break;
    }
}

void ApplyRtfParaControl(TRtfParaState& para, TRtfKeyword keyword, const TRtfToken& token) {
    const int length = ClampRtfLength(token.parameter);
    switch (keyword) {
    case kwPard:
        para = TRtfParaState{};
        break;
    case kwAlignLeft:
        para.alignment = raLeft;
        break;
    case kwAlignCenter:
        para.alignment = raCenter;
        break;
    case kwAlignRight:
        para.alignment = raRight;
        break;
    case kwAlignJustify:
        para.alignment = raJustify;
        break;
    case kwLeftIndent:
        para.leftIndent = length;
        break;
    case kwRightIndent:
        para.rightIndent = length;
        break;
    case kwFirstIndent:
        para.firstIndent = length;
        break;
    case kwSpaceBefore:
        para.spaceBefore = std::max(length, 0);
        break;
    case kwSpaceAfter:
        para.spaceAfter = std::max(length, 0);
        break;
    case kwLineSpacing:
        para.lineSpacing = std::clamp(token.parameter, -kMaxLineSpacing, kMaxLineSpacing);
        break;
    case kwLineSpacingMultiple:
        para.lineSpacingMultiple = token.parameter != 0;
        break;
    case kwTabRight:
        para.nextTabType = QTextOption::RightTab;
        break;
    case kwTabCenter:
        para.nextTabType = QTextOption::CenterTab;
        break;
    case kwTabDecimal:
        para.nextTabType = QTextOption::DelimiterTab;
        break;
    case kwTabStop:
        para.AddTab(token.parameter);
        break;
    case kwInTable:
        para.inTable = true;
        break;
    case kwListOverrideNumber:
        if (token.parameter >= 0) {
            para.listOverride = token.parameter;
        }
        break;
    case kwListLevelNumber:
        if (token.parameter >= 0 && token.parameter < kRtfMaxListLevels) {
            para.listLevel = token.parameter;
        }
        break;
    default:
        break;
    }
}

} // namespace zov
