#pragma once

#include "RtfKeywords.h"
#include "RtfTokenizer.h"

#include <QHashFunctions>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>
#include <QTextOption>
#include <cstdint>

namespace zov {

class TRtfColorTable;
struct TRtfFont;

// Lengths in RTF are twips (1/1440 inch). The document gets them in pixels at 96 dpi,
// the resolution QTextDocument lays out fonts at, so indents keep their size next
// to the text: 15 twips are one pixel.
constexpr double kRtfTwipsPerPixel = 15.0;
double RtfTwipsToPixels(int twips);
// Pixels back to twips, rounded and clamped like lengths read from a document.
int RtfPixelsToTwips(double pixels);

enum TRtfUnderline : uint8_t { ruNone, ruSingle, ruDouble, ruDotted, ruDash, ruWave };
enum TRtfScript : uint8_t { rsNormal, rsSuper, rsSub };
enum TRtfAlignment : uint8_t { raLeft, raCenter, raRight, raJustify };

// The character properties in effect inside a group.
// A font size in points as "\fs" half points, within the sizes the reader keeps.
int RtfHalfPoints(double points);

struct TRtfCharState {
    static constexpr int kDefaultHalfPoints = 24;

    int font = 0;
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    TRtfUnderline underline = ruNone;
    TRtfScript script = rsNormal;
    int color = 0;
    int background = 0;

    bool operator==(const TRtfCharState&) const = default;
    void SetHalfPoints(int value);
};

inline size_t qHash(const TRtfCharState& state, size_t seed = 0) {
    return qHashMulti(seed, state.font, state.halfPoints, state.bold, state.italic, state.strike,
                      state.underline, state.script, state.color, state.background);
}

// The paragraph properties in effect inside a group; they apply to the paragraph
// that the next paragraph mark ends.
struct TRtfParaState {
    static constexpr qsizetype kMaxTabs = 64;

    TRtfAlignment alignment = raLeft;
    int leftIndent = 0; // twips, like every length here
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;              // "\sl": 0 single, > 0 at least, < 0 exactly
    bool lineSpacingMultiple = false; // "\slmult1": lineSpacing is 240ths of a line
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    // The list the paragraph belongs to: given at once by "{\*\pn ...}", or by
    // "\ls" (0: none) and "\ilvl" through the list tables.
    QTextListFormat::Style pnStyle = QTextListFormat::ListStyleUndefined;
    int pnLevel = 0;
    int listOverride = 0;
    int listLevel = 0;
    bool inTable = false; // "\intbl"

    void AddTab(int twips);
};

// Lengths from the document are clamped to a page of a few metres.
int ClampRtfLength(int twips);

QTextCharFormat RtfCharFormat(const TRtfCharState& state, const TRtfFont* font,
                              const TRtfColorTable& colors);
QTextBlockFormat RtfBlockFormat(const TRtfParaState& state);

// A character formatting control word changes chars; "\plain" resets them to
// defaultFont. Other words leave them alone.
void ApplyRtfCharControl(TRtfCharState& chars, TRtfKeyword keyword, const TRtfToken& token,
                         int defaultFont);
// A paragraph formatting control word changes para; other words leave it alone.
void ApplyRtfParaControl(TRtfParaState& para, TRtfKeyword keyword, const TRtfToken& token);

} // namespace zov
