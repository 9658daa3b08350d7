#include "platform/graphics/FontMeasure.h"

#include <QCoreApplication>
#include <cmath>
#include <deque>
#include <memory>

namespace zov {
namespace {

// Latin, IPA, spacing modifiers, Greek and Cyrillic: characters that fonts set one
// after another without joining them.
constexpr char16_t kCachedEnd = 0x0530;

bool IsCached(char16_t c) {
    return c >= 0x20 && c < kCachedEnd && c != 0xAD && !(c >= 0x300 && c < 0x370) &&
           !(c >= 0x483 && c < 0x48A);
}

constexpr size_t kSharedCacheSize = 8;

// Never destroyed itself: an application object that is static too may end after
// static destruction, and then still clears the cache.
std::deque<std::unique_ptr<TFontMeasure>>& SharedCache() {
    static auto* cache = new std::deque<std::unique_ptr<TFontMeasure>>;
    return *cache;
}

// Fonts must go before the application object does.
void ClearSharedCache() {
    SharedCache().clear();
}

} // namespace

const TFontMeasure& TFontMeasure::Shared(const TFont& font) {
    auto& cache = SharedCache();
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if ((*it)->Font().SameAs(font)) {
            if (it != cache.begin()) {
                std::unique_ptr<TFontMeasure> hit = std::move(*it);
                cache.erase(it);
                cache.push_front(std::move(hit));
            }
            return *cache.front();
        }
    }
    if (cache.empty()) {
        qAddPostRoutine(ClearSharedCache);
    }
    cache.push_front(std::make_unique<TFontMeasure>(font));
    if (cache.size() > kSharedCacheSize) {
        cache.pop_back();
    }
    return *cache.front();
}

TFontMeasure::TFontMeasure(const TFont& font)
    : fFont(font), fQtFont(font.ToQFont()), fMetrics(fQtFont), fMetricsF(fQtFont),
      fAdvances(kCachedEnd, -1.0) {
    // A font that forms ligatures of common Latin pairs is measured by shaping.
    fAdditive = true;
    for (const char* pair : {"fi", "fl", "ff"}) {
        const QString text = QString::fromLatin1(pair);
        const double sum =
            fMetricsF.horizontalAdvance(text[0]) + fMetricsF.horizontalAdvance(text[1]);
        if (std::abs(sum - fMetricsF.horizontalAdvance(text)) > 1e-6) {
            fAdditive = false;
        }
    }
}

std::optional<int32_t> TFontMeasure::AdditiveWidth(const QString& text) const {
    if (!fAdditive) {
        return std::nullopt;
    }
    double sum = 0;
    for (QChar ch : text) {
        if (ch == u'\t') {
            ch = u' ';
        }
        const char16_t c = ch.unicode();
        if (!IsCached(c)) {
            return std::nullopt;
        }
        double& advance = fAdvances[c];
        if (advance < 0) {
            advance = fMetricsF.horizontalAdvance(ch);
        }
        sum += advance;
    }
    return static_cast<int32_t>(std::lround(sum));
}

int32_t TFontMeasure::Width(const QString& text) const {
    if (const auto width = AdditiveWidth(text)) {
        return *width;
    }
    // Single-line drawing shows a tab as a space: measure it as one.
    QString spaced = text;
    spaced.replace(u'\t', u' ');
    return fMetrics.horizontalAdvance(spaced);
}

bool TFontMeasure::HasGlyph(char32_t character) const {
    if (!fRawFont) {
        fRawFont = QRawFont::fromFont(fQtFont);
    }
    return fRawFont->supportsCharacter(static_cast<uint>(character));
}

} // namespace zov
