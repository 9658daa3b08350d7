#include "platform/stream/Stream.h"

#include "platform/types/Exceptions.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;

TEST(StreamLittleEndianTest, IntegersTakeTheirWidthLowByteFirst) {
    TMemoryStream stream;
    stream.WriteLE<int32_t>(0x12345678);
    stream.WriteLE<int32_t>(-2);
    stream.WriteLE<uint32_t>(0xA1B2C3D4);
    stream.WriteLE<uint16_t>(0xBEEF);
    stream.WriteLE<int64_t>(-0x0102030405060708);
    const QByteArray expected =
        Bytes({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xD4, 0xC3, 0xB2,
               0xA1, 0xEF, 0xBE, 0xF8, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE});
    EXPECT_EQ(stream.Bytes().toHex(' '), expected.toHex(' '));

    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadLE<int32_t>(), 0x12345678);
    EXPECT_EQ(stream.ReadLE<int32_t>(), -2);
    EXPECT_EQ(stream.ReadLE<uint32_t>(), 0xA1B2C3D4);
    EXPECT_EQ(stream.ReadLE<uint16_t>(), 0xBEEF);
    EXPECT_EQ(stream.ReadLE<int64_t>(), -0x0102030405060708);
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST(StreamLittleEndianTest, WritingInsideTheStreamOverwritesInPlace) {
    TMemoryStream stream(Bytes({1, 2, 3, 4, 5, 6}));
    stream.SetPosition(1);
    stream.WriteLE<uint32_t>(0xDDCCBBAA);
    EXPECT_EQ(stream.Bytes().toHex(' '), Bytes({1, 0xAA, 0xBB, 0xCC, 0xDD, 6}).toHex(' '));
    EXPECT_EQ(stream.Position(), 5);
}

TEST(StreamLittleEndianTest, AShortReadThrowsAndReadsNothing) {
    TMemoryStream stream(Bytes({1, 2, 3}));
    EXPECT_THROW(stream.ReadLE<int32_t>(), EReadError);
    EXPECT_EQ(stream.Position(), 0);
    EXPECT_EQ(stream.ReadLE<uint16_t>(), 0x0201);
}

} // namespace
} // namespace zov
