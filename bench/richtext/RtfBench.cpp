// Reading and writing a large RTF document: about 1 MB of text whose formatting
// changes every few words, with a table and a picture. Qt's insertion costs most
// of the reading, a little under a microsecond for each run of one format.
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace zov {
namespace {

QByteArray PictureGroup() {
    QImage image(200, 120, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x, y * 2, (x * y) & 0xFF));
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "{\\pict\\pngblip\\picw200\\pich120\\picwgoal3000\\pichgoal1800\r\n" + png.toHex() + "}";
}

QByteArray TableRows(int rows) {
    QByteArray table;
    for (int row = 0; row < rows; ++row) {
        table += "\\trowd\\trgaph108\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl";
        for (int column = 0; column < 3; ++column) {
            table += " r" + QByteArray::number(row) + "c" + QByteArray::number(column) + "\\cell";
        }
        table += "\\row\r\n";
    }
    return table;
}

QByteArray LargeRtf(qsizetype size) {
    // Formatting changes every four or five words.
    static const char* const kRuns[] = {
        "\\plain The quick brown fox jumps ",  "\\b over the lazy dog ",
        "\\b0\\i and runs far away ",          "\\i0\\cf1 from the hunter in ",
        "\\cf0 the caf\\'e9 where they meet ", "\\ul under the old tree ",
        "\\ulnone\\f1 in another font at ",    "\\f0\\fs24 a larger size ",
    };
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                     "{\\f1\\froman Times New Roman;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    rtf += PictureGroup() + "\\par\r\n" + TableRows(40);
    int run = 0;
    while (rtf.size() < size) {
        rtf += "\\pard\\sa120 ";
        for (int i = 0; i < 8; ++i) {
            rtf += kRuns[run++ % std::size(kRuns)];
        }
        rtf += "\\par\r\n";
    }
    return rtf + "}";
}

void BM_ReadRtf1MB(benchmark::State& state) {
    const QByteArray rtf = LargeRtf(1 << 20);
    for (auto _ : state) {
        QTextDocument document;
        ReadRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadRtf1MB)->Unit(benchmark::kMillisecond);

void BM_WriteRtf1MB(benchmark::State& state) {
    QTextDocument document;
    ReadRtf(LargeRtf(1 << 20), document);
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteRtf(document).size());
    }
}
BENCHMARK(BM_WriteRtf1MB)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zov
