#include "RtfWriter.h"

#include "RtfFormatState.h"
#include "RtfImageProperties.h"
#include "platform/stream/Windows1252.h"

#include <QBuffer>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace zov {
namespace {

// The width a table's columns share when the document gives them none: 16 cm.
constexpr int kTableWidth = 9070;
constexpr int kHexPerLine = 128;
// A thin single line on every side of a cell.
constexpr char kCellBorders[] = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                                "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
constexpr int kPercentDefault = 100;

// The character properties as the writer has last set them.
struct TRunState {
    int font = 0;
    int halfPoints = TRtfCharState::kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    bool strike = false;
    int color = 0;
    int highlight = 0;
    QTextCharFormat::VerticalAlignment script = QTextCharFormat::AlignNormal;
};

const char* UnderlineWord(QTextCharFormat::UnderlineStyle style) {
    switch (style) {
    case QTextCharFormat::NoUnderline:
        return "\\ulnone";
    case QTextCharFormat::DashUnderline:
        return "\\uldash";
    case QTextCharFormat::DotLine:
        return "\\uld";
    case QTextCharFormat::WaveUnderline:
        return "\\ulwave";
    default:
        return "\\ul";
    }
}

QString FamilyOf(const QTextCharFormat& format, const QString& fallback) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.front().isEmpty() ? fallback : families.front();
}

// How a list item is introduced: its "\pn" words, bullet text and fallback font.
struct TPnForm {
    const char* words;
    const char* bulletFont; // nullptr for numbers
    const char* bullet;
};

TPnForm PnForm(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDisc:
        return {"\\pnlvlblt", "Symbol", "\\'b7"};
    case QTextListFormat::ListCircle:
        return {"\\pnlvlblt", "Courier New", "o"};
    case QTextListFormat::ListSquare:
        return {"\\pnlvlblt", "Wingdings", "\\'a7"};
    case QTextListFormat::ListLowerAlpha:
        return {"\\pnlcltr", nullptr, nullptr};
    case QTextListFormat::ListUpperAlpha:
        return {"\\pnucltr", nullptr, nullptr};
    case QTextListFormat::ListLowerRoman:
        return {"\\pnlcrm", nullptr, nullptr};
    case QTextListFormat::ListUpperRoman:
        return {"\\pnucrm", nullptr, nullptr};
    default:
        return {"\\pndec", nullptr, nullptr};
    }
}

// Text as RTF: ASCII as it is, other characters of Windows-1252 as "\'xx", the
// rest as "\uN?" (N a signed 16-bit number, as readers expect).
void AppendEscaped(QByteArray& out, QStringView text) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\':
        case u'{':
        case u'}':
            out += '\\';
            out += static_cast<char>(u);
            continue;
        case u'\t':
            out += "\\tab ";
            continue;
        case QChar::LineSeparator:
            out += "\\line ";
            continue;
        case 0x00A0:
            out += "\\~";
            continue;
        case 0x00AD:
            out += "\\-";
            continue;
        case 0x2011:
            out += "\\_";
            continue;
        default:
            break;
        }
        if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
            continue;
        }
        const uint8_t byte = ToWindows1252(c);
        if (byte >= 0x80 && u != '?') {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += "\\u" + QByteArray::number(static_cast<int16_t>(u)) + '?';
        }
    }
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

class TRtfWriter {
public:
    TRtfWriter(const QTextDocument& document, TRtfBitmapForm bitmaps)
        : fDocument(document), fBitmaps(bitmaps) {}

    QByteArray Write();

private:
    int FontIndex(const QString& family);
    int ColorIndex(const QBrush& brush);
    QByteArray Header() const;
    void WriteFrame(const QTextFrame& frame, bool inTable);
    void WriteTable(const QTextTable& table);
    void WriteParagraph(const QTextBlock& block, bool inTable, const char* mark);
    void WriteParagraphFormat(const QTextBlockFormat& format);
    void WriteListItem(const QTextBlock& block, const QTextList& list);
    void WriteState(const TRunState& state);
    void WritePicture(const QTextImageFormat& format);
    void WriteHex(const QByteArray& bytes);
    void Word(const char* word);
    void Word(const char* word, int value);
    void Text(QStringView text);
    TRunState StateOf(const QTextCharFormat& format);

    const QTextDocument& fDocument;
    TRtfBitmapForm fBitmaps;
    QString fDefaultFamily;
    QStringList fFonts;
    QHash<QString, int> fFontIndex;
    QList<QRgb> fColors;
    QByteArray fOut;
    TRunState fState;
    int fDefaultHalfPoints = TRtfCharState::kDefaultHalfPoints;
    bool fWordPending = false; // a control word was written; text needs a blank first
};

QByteArray TRtfWriter::Write() {
    const QFont font = fDocument.defaultFont();
    fDefaultFamily = font.family();
    FontIndex(fDefaultFamily); // font 0, the "\\deff0"
    if (font.pointSizeF() > 0) {
        fDefaultHalfPoints = RtfHalfPoints(font.pointSizeF());
    }
    Word("\\viewkind4");
    Word("\\uc", 1);
    // Font and size are written with the first run, whatever they are.
    fState.font = -1;
    fState.halfPoints = 0;
    WriteFrame(*fDocument.rootFrame(), false);
    return Header() + fOut + "}\r\n";
}

void TRtfWriter::Word(const char* word) {
    fOut += word;
    fWordPending = true;
}

void TRtfWriter::Word(const char* word, int value) {
    fOut += word;
    fOut += QByteArray::number(value);
    fWordPending = true;
}

void TRtfWriter::Text(QStringView text) {
    if (text.isEmpty()) {
        return;
    }
    if (fWordPending) {
        fOut += ' ';
        fWordPending = false;
    }
    AppendEscaped(fOut, text);
}

int TRtfWriter::FontIndex(const QString& family) {
    const auto found = fFontIndex.constFind(family);
    if (found != fFontIndex.constEnd()) {
        return *found;
    }
    const int index = static_cast<int>(fFonts.size());
    fFonts.append(family);
    fFontIndex.insert(family, index);
    return index;
}

int TRtfWriter::ColorIndex(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) {
        return 0;
    }
    const QRgb rgb = brush.color().rgb();
    const auto at = std::find(fColors.cbegin(), fColors.cend(), rgb);
    if (at != fColors.cend()) {
        return static_cast<int>(at - fColors.cbegin()) + 1;
    }
    fColors.append(rgb);
    return static_cast<int>(fColors.size());
}

QByteArray TRtfWriter::Header() const {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (qsizetype i = 0; i < fFonts.size(); ++i) {
        const QString& name = fFonts[i];
        const bool symbol = name == QLatin1String("Symbol") || name == QLatin1String("Wingdings");
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + (symbol ? "2 " : "0 ");
        AppendEscaped(out, name);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QRgb rgb : fColors) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
               QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    }
    out += "}\r\n";
    return out;
}

void TRtfWriter::WriteFrame(const QTextFrame& frame, bool inTable) {
    for (auto it = frame.begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            const auto* table = qobject_cast<const QTextTable*>(child);
            if (table != nullptr && !inTable) {
                WriteTable(*table);
            } else {
                WriteFrame(*child, inTable); // frames and nested tables: their paragraphs
            }
        } else if (it.currentBlock().isValid()) {
            WriteParagraph(it.currentBlock(), inTable, "\\par");
            fOut += "\r\n";
        }
    }
}

void TRtfWriter::WriteTable(const QTextTable& table) {
    const QTextTableFormat format = table.format();
    const int columns = table.columns();
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<int> rights;
    int right = 0;
    for (int column = 0; column < columns; ++column) {
        const QTextLength length =
            column < constraints.size() ? constraints[column] : QTextLength();
        int width = kTableWidth / columns;
        if (length.type() == QTextLength::FixedLength && length.rawValue() > 0) {
            width = RtfPixelsToTwips(length.rawValue());
        } else if (length.type() == QTextLength::PercentageLength && length.rawValue() > 0) {
            width = static_cast<int>(kTableWidth * std::min(length.rawValue(), 100.0) / 100);
        }
        right += std::max(width, 1);
        rights.append(right);
    }
    const int gap = RtfPixelsToTwips(format.cellPadding());
    const bool bordered =
        format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None;
    for (int row = 0; row < table.rows(); ++row) {
        Word("\\trowd");
        Word("\\trgaph", gap);
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.column() != column) {
                Word("\\clmrg");
            } else if (cell.columnSpan() > 1) {
                Word("\\clmgf");
            }
            if (cell.row() != row) {
                Word("\\clvmrg");
            } else if (cell.rowSpan() > 1) {
                Word("\\clvmgf");
            }
            if (bordered) {
                fOut += kCellBorders;
            }
            Word("\\cellx", rights[column]);
        }
        fOut += "\r\n";
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                Word("\\pard");
                Word("\\intbl");
                Word("\\cell");
                continue;
            }
            // Paragraphs end in "\par", the cell's last in "\cell".
            QList<QTextBlock> blocks;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (const QTextFrame* frame = it.currentFrame()) {
                    for (QTextBlock block = frame->firstCursorPosition().block();
                         block.isValid() && block.position() <= frame->lastPosition();
                         block = block.next()) {
                        blocks.append(block);
                    }
                } else if (it.currentBlock().isValid()) {
                    blocks.append(it.currentBlock());
                }
            }
            for (qsizetype i = 0; i < blocks.size(); ++i) {
                WriteParagraph(blocks[i], true, i + 1 < blocks.size() ? "\\par" : "\\cell");
            }
            if (blocks.isEmpty()) {
                Word("\\pard");
                Word("\\intbl");
                Word("\\cell");
            }
        }
        Word("\\row");
        fOut += "\r\n";
    }
}

void TRtfWriter::WriteParagraph(const QTextBlock& block, bool inTable, const char* mark) {
    Word("\\pard");
    if (inTable) {
        Word("\\intbl");
    }
    WriteParagraphFormat(block.blockFormat());
    if (const QTextList* list = block.textList()) {
        WriteListItem(block, *list);
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        WriteState(StateOf(format));
        if (format.isImageFormat()) {
            WritePicture(format.toImageFormat());
        } else {
            Text(fragment.text());
        }
    }
    Word(mark);
}

void TRtfWriter::WriteParagraphFormat(const QTextBlockFormat& format) {
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignJustify) {
        Word("\\qj");
    } else if (alignment & Qt::AlignHCenter) {
        Word("\\qc");
    } else if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
        Word("\\qr");
    }
    const auto length = [this](const char* word, double pixels) {
        if (const int twips = RtfPixelsToTwips(pixels)) {
            Word(word, twips);
        }
    };
    length("\\li", format.leftMargin());
    length("\\ri", format.rightMargin());
    length("\\fi", format.textIndent());
    length("\\sb", format.topMargin());
    length("\\sa", format.bottomMargin());
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (std::lround(format.lineHeight()) != kPercentDefault) {
            Word("\\sl", static_cast<int>(std::lround(format.lineHeight() * 240 / 100)));
            Word("\\slmult", 1);
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        Word("\\sl", RtfPixelsToTwips(format.lineHeight()));
        Word("\\slmult", 0);
        break;
    case QTextBlockFormat::FixedHeight:
        Word("\\sl", -RtfPixelsToTwips(format.lineHeight()));
        Word("\\slmult", 0);
        break;
    default:
        break;
    }
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab) {
            Word("\\tqr");
        } else if (tab.type == QTextOption::CenterTab) {
            Word("\\tqc");
        } else if (tab.type == QTextOption::DelimiterTab) {
            Word("\\tqdec");
        }
        Word("\\tx", RtfPixelsToTwips(tab.position));
    }
}

void TRtfWriter::WriteListItem(const QTextBlock& block, const QTextList& list) {
    const QTextListFormat format = list.format();
    const TPnForm form = PnForm(format.style());
    const int level = std::clamp(format.indent(), 1, 9);
    // The indent the list shows, so readers without lists place the item alike.
    const int indent = RtfPixelsToTwips(fDocument.indentWidth() * level);
    const int hanging = 360;
    fOut += "{\\pntext";
    fWordPending = true;
    if (form.bulletFont != nullptr) {
        Word("\\f", FontIndex(QString::fromLatin1(form.bulletFont)));
        fOut += ' ';
        fOut += form.bullet;
    } else {
        Word("\\f", fState.font);
        Text(list.itemText(block));
    }
    fOut += "\\tab}{\\*\\pn";
    if (form.bulletFont != nullptr) {
        fOut += form.words;
        fOut += "\\pnf" + QByteArray::number(FontIndex(QString::fromLatin1(form.bulletFont)));
        fOut += "\\pnindent0{\\pntxtb ";
        fOut += form.bullet;
        fOut += "}}";
    } else {
        fOut += level == 1 ? QByteArray("\\pnlvlbody") : "\\pnlvl" + QByteArray::number(level);
        fOut += form.words;
        fOut += "\\pnstart1\\pnindent0{\\pntxta .}}";
    }
    fWordPending = false;
    Word("\\fi", -hanging);
    Word("\\li", indent);
}

TRunState TRtfWriter::StateOf(const QTextCharFormat& format) {
    TRunState state;
    state.font = FontIndex(FamilyOf(format, fDefaultFamily));
    const double points = format.fontPointSize();
    state.halfPoints = points > 0 ? RtfHalfPoints(points) : fDefaultHalfPoints;
    state.bold = format.fontWeight() >= QFont::DemiBold;
    state.italic = format.fontItalic();
    state.underline = format.underlineStyle();
    if (state.underline == QTextCharFormat::NoUnderline && format.fontUnderline()) {
        state.underline = QTextCharFormat::SingleUnderline;
    }
    state.strike = format.fontStrikeOut();
    state.color = ColorIndex(format.foreground());
    state.highlight = ColorIndex(format.background());
    state.script = format.verticalAlignment();
    if (state.script != QTextCharFormat::AlignSuperScript &&
        state.script != QTextCharFormat::AlignSubScript) {
        state.script = QTextCharFormat::AlignNormal;
    }
    return state;
}

void TRtfWriter::WriteState(const TRunState& state) {
    const TRunState& old = fState;
    if (state.font != old.font) {
        Word("\\f", state.font);
    }
    if (state.halfPoints != old.halfPoints) {
        Word("\\fs", state.halfPoints);
    }
    if (state.bold != old.bold) {
        Word(state.bold ? "\\b" : "\\b0");
    }
    if (state.italic != old.italic) {
        Word(state.italic ? "\\i" : "\\i0");
    }
    if (state.underline != old.underline) {
        Word(UnderlineWord(state.underline));
    }
    if (state.strike != old.strike) {
        Word(state.strike ? "\\strike" : "\\strike0");
    }
    if (state.color != old.color) {
        Word("\\cf", state.color);
    }
    if (state.highlight != old.highlight) {
        Word("\\highlight", state.highlight);
    }
    if (state.script != old.script) {
        Word(state.script == QTextCharFormat::AlignSuperScript ? "\\super"
             : state.script == QTextCharFormat::AlignSubScript ? "\\sub"
                                                               : "\\nosupersub");
    }
    fState = state;
}

void TRtfWriter::WritePicture(const QTextImageFormat& format) {
    const QVariant resource = fDocument.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image = resource.value<QImage>();
    if (image.isNull()) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull()) {
        return; // nothing to show: the picture is left out
    }
    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    const QString kind = format.property(kRtfPictureFormatProperty).toString();
    const QByteArray kept = format.property(kRtfPictureDataProperty).toByteArray();
    fOut += "{\\pict";
    QByteArray data;
    if (!kept.isEmpty() && (kind == QLatin1String("png") || kind == QLatin1String("jpeg"))) {
        fOut += kind == QLatin1String("png") ? "\\pngblip" : "\\jpegblip";
        data = kept;
    } else if (!kept.isEmpty() && kind == QLatin1String("emf")) {
        fOut += "\\emfblip";
        data = kept;
    } else if (fBitmaps == rbDib) {
        fOut += "\\dibitmap0";
        data = Encoded(image.convertToFormat(QImage::Format_RGB32), "BMP").mid(14);
    } else {
        fOut += "\\pngblip";
        data = Encoded(image, "PNG");
    }
    fOut += "\\picw" + QByteArray::number(image.width()) + "\\pich" +
            QByteArray::number(image.height()) + "\\picwgoal" +
            QByteArray::number(RtfPixelsToTwips(width)) + "\\pichgoal" +
            QByteArray::number(RtfPixelsToTwips(height)) + "\r\n";
    WriteHex(data);
    fOut += '}';
    fWordPending = false;
}

void TRtfWriter::WriteHex(const QByteArray& bytes) {
    const QByteArray hex = bytes.toHex();
    for (qsizetype at = 0; at < hex.size(); at += kHexPerLine) {
        fOut += hex.mid(at, kHexPerLine);
        fOut += "\r\n";
    }
}

} // namespace

QByteArray WriteRtf(const QTextDocument& document, TRtfBitmapForm bitmaps) {
    return TRtfWriter(document, bitmaps).Write();
}

} // namespace zov
