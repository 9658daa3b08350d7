#include "platform/graphics/TextLayout.h"

#include <algorithm>

namespace zov {
namespace {

// Without a "no prefix" flag an ampersand marks the next character: "&&" shows one.
QString StripPrefixes(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            ++i;
            if (i >= text.size()) {
                break;
            }
        }
        result.append(text[i]);
    }
    return result;
}

std::vector<QString> SplitLines(const QString& text) {
    std::vector<QString> lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.push_back(current);
            current.clear();
            if (i + 1 < text.size() && text[i + 1] != c &&
                (text[i + 1] == u'\r' || text[i + 1] == u'\n')) {
                ++i;
            }
        } else {
            current.append(c);
        }
    }
    lines.push_back(current);
    return lines;
}

} // namespace

std::vector<QString> LayoutTextLines(const TFontMeasure& measure, const QString& text,
                                     int32_t width, unsigned flags, bool* shortenedOut) {
    using namespace DrawTextFlag;
    const QString shown = (flags & NoPrefix) ? text : StripPrefixes(text);
    std::vector<QString> lines;
    if (flags & SingleLine) {
        QString line = shown;
        line.remove(u'\r').remove(u'\n');
        lines.push_back(line);
    } else {
        lines = SplitLines(shown);
    }

    if ((flags & WordBreak) && !(flags & SingleLine)) {
        std::vector<QString> wrapped;
        for (const QString& line : lines) {
            QString rest = line;
            do {
                if (measure.Width(rest) <= width) {
                    wrapped.push_back(rest);
                    break;
                }
                qsizetype fit = 1;
                while (fit < rest.size() && measure.Width(rest.left(fit + 1)) <= width) {
                    ++fit;
                }
                // Break at the last space that keeps the line inside the box; a word
                // wider than the box stays whole unless breaking like an edit control.
                qsizetype cut = rest.lastIndexOf(u' ', fit);
                if (cut <= 0) {
                    const qsizetype wordEnd = rest.indexOf(u' ');
                    cut = (flags & EditControl) ? fit : (wordEnd > 0 ? wordEnd : rest.size());
                }
                wrapped.push_back(rest.left(cut));
                rest = rest.mid(cut);
                while (rest.startsWith(u' ')) {
                    rest.remove(0, 1);
                }
            } while (!rest.isEmpty());
        }
        lines = std::move(wrapped);
    }

    bool shortened = false;
    if (flags & EndEllipsis) {
        const QString ellipsis = QStringLiteral("...");
        for (QString& line : lines) {
            if (measure.Width(line) <= width) {
                continue;
            }
            shortened = true;
            while (!line.isEmpty() && measure.Width(line + ellipsis) > width) {
                line.chop(1);
            }
            line += ellipsis;
        }
    }

    if (shortenedOut != nullptr) {
        *shortenedOut = shortened;
    }
    return lines;
}

QString JoinTextLines(const std::vector<QString>& lines) {
    QString joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            joined += QStringLiteral("\r\n");
        }
        joined += lines[i];
    }
    return joined;
}

int32_t CalcTextRect(const TFontMeasure& measure, QString& text, TRect& rect, unsigned flags) {
    using namespace DrawTextFlag;
    bool shortened = false;
    const std::vector<QString> lines =
        LayoutTextLines(measure, text, rect.Width(), flags, &shortened);
    if (shortened && (flags & ModifyString)) {
        text = JoinTextLines(lines);
    }
    int32_t widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, measure.Width(line));
    }
    const auto height = static_cast<int32_t>(measure.Height() * static_cast<int64_t>(lines.size()));
    rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + height;
    return height;
}

} // namespace zov
