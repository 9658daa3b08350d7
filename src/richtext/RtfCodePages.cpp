#include "RtfCodePages.h"

#include "platform/stream/Windows1252.h"

#include <cstdint>
#include <span>

namespace zov {
namespace {

struct TCharsetCodePage {
    int charset;
    int codePage;
};

constexpr TCharsetCodePage kCharsets[] = {
    {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
    {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
};

// Qt's names for the code pages that are not spelled "windows-N".
const char* CodecName(int codePage) {
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1361:
        return "johab";
    case 10000:
        return "macintosh";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    default:
        return nullptr;
    }
}

// Only the code pages of the table have decoders, which keeps their number small
// whatever "\ansicpgN" a document names.
bool IsKnownCodePage(int codePage) {
    for (const TCharsetCodePage& entry : kCharsets) {
        if (entry.codePage == codePage) {
            return true;
        }
    }
    return codePage >= 1250 && codePage <= 1258;
}

} // namespace

int RtfCodePageOfCharset(int charset, int documentCodePage) {
    for (const TCharsetCodePage& entry : kCharsets) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return documentCodePage;
}

QString TRtfTextDecoder::Decode(QByteArrayView bytes, int codePage) {
    QStringDecoder* decoder = codePage == kRtfDefaultCodePage || !IsKnownCodePage(codePage)
                                  ? nullptr
                                  : DecoderFor(codePage);
    if (decoder == nullptr) {
        return FromWindows1252(std::span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                         static_cast<size_t>(bytes.size())));
    }
    QString text = decoder->decode(bytes);
    // A run that ends inside a multi-byte character must not leak into the next run.
    decoder->resetState();
    return text;
}

QStringDecoder* TRtfTextDecoder::DecoderFor(int codePage) {
    auto found = fDecoders.find(codePage);
    if (found == fDecoders.end()) {
        const char* name = CodecName(codePage);
        const QByteArray windowsName = "windows-" + QByteArray::number(codePage);
        auto decoder =
            std::make_unique<QStringDecoder>(name != nullptr ? name : windowsName.data());
        if (!decoder->isValid()) {
            decoder.reset();
        }
        found = fDecoders.emplace(codePage, std::move(decoder)).first;
    }
    return found->second.get();
}

} // namespace zov
