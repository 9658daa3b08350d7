#include "RtfFormatState.h"

#include "RtfTables.h"

#include <QFont>
#include <algorithm>

namespace zov {
namespace {

constexpr int kMaxLength = 31680 * 4; // four times the largest page Word allows
constexpr int kMaxHalfPoints = 3276;  // 1638 points, Word's largest size
constexpr int kSingleSpacing = 240;   // "\slmult1" counts in 240ths of a line

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

int ClampRtfLength(int twips) {
    return std::clamp(twips, -kMaxLength, kMaxLength);
}

void TRtfCharState::SetHalfPoints(int value) {
    halfPoints = value <= 0 ? kDefaultHalfPoints : std::min(value, kMaxHalfPoints);
}

void TRtfParaState::AddTab(int twips) {
    if (tabs.size() < kMaxTabs) {
        const QChar delimiter = nextTabType == QTextOption::DelimiterTab ? QChar('.') : QChar();
        tabs.append(
            QTextOption::Tab(RtfTwipsToPixels(ClampRtfLength(twips)), nextTabType, delimiter));
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
            format.setLineHeight(100.0 * std::abs(state.lineSpacing) / kSingleSpacing,
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

} // namespace zov
