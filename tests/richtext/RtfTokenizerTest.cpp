// The tokenizer's split of RTF bytes: control words with parameters, symbols, hex
// escapes and text runs.
#include "richtext/RtfTokenizer.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace zov {
namespace {

// One line per token, e.g. "word fs 20", "symbol ~", "hex 0xe4", "text abc".
std::vector<std::string> Tokens(QByteArrayView input) {
    TRtfTokenizer tokenizer(input);
    std::vector<std::string> tokens;
    for (TRtfToken token = tokenizer.Next(); token.kind != rtEnd; token = tokenizer.Next()) {
        switch (token.kind) {
        case rtGroupStart:
            tokens.push_back("{");
            break;
        case rtGroupEnd:
            tokens.push_back("}");
            break;
        case rtControlWord:
            tokens.push_back("word " + token.word.toByteArray().toStdString() +
                             (token.hasParameter ? " " + std::to_string(token.parameter) : ""));
            break;
        case rtControlSymbol:
            tokens.push_back(std::string("symbol ") + token.symbol);
            break;
        case rtHexByte:
            tokens.push_back("hex " + std::to_string(token.byte));
            break;
        case rtText:
            tokens.push_back("text " + token.word.toByteArray().toStdString());
            break;
        case rtEnd:
            break;
        }
    }
    return tokens;
}

using TTokens = std::vector<std::string>;

TEST(RtfTokenizer, ControlWordsAndParameters) {
    EXPECT_EQ(Tokens("{\\rtf1\\fs20 a\\li-360\\b\\b0x}"),
              (TTokens{"{", "word rtf 1", "word fs 20", "text a", "word li -360", "word b",
                       "word b 0", "text x", "}"}));
}

TEST(RtfTokenizer, SpaceDelimiterIsConsumedOnce) {
    EXPECT_EQ(Tokens("\\par  two"), (TTokens{"word par", "text  two"}));
}

TEST(RtfTokenizer, MinusWithoutDigitsIsText) {
    EXPECT_EQ(Tokens("\\li-x"), (TTokens{"word li", "text -x"}));
}

TEST(RtfTokenizer, ParametersAreClamped) {
    EXPECT_EQ(Tokens("\\fs99999999999999999999\\li-99999999999"),
              (TTokens{"word fs " + std::to_string(std::numeric_limits<int32_t>::max()),
                       "word li " + std::to_string(std::numeric_limits<int32_t>::min())}));
}

TEST(RtfTokenizer, SymbolsAndHexEscapes) {
    EXPECT_EQ(Tokens("\\~\\{\\'e4\\'A\\'"),
              (TTokens{"symbol ~", "symbol {", "hex 228", "hex 10", "symbol '"}));
}

TEST(RtfTokenizer, LineBreaks) {
    EXPECT_EQ(Tokens("a\r\nb\\\nc"), (TTokens{"text a", "text b", "word par", "text c"}));
}

TEST(RtfTokenizer, TakeBytesStopsAtTheEnd) {
    TRtfTokenizer tokenizer("\\bin4 ab}");
    ASSERT_EQ(tokenizer.Next().word, "bin");
    EXPECT_EQ(tokenizer.TakeBytes(1000), "ab}");
    EXPECT_TRUE(tokenizer.AtEnd());
    EXPECT_EQ(tokenizer.Next().kind, rtEnd);
}

} // namespace
} // namespace zov
