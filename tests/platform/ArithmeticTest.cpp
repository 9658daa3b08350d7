#include "platform/types/Arithmetic.h"

#include "platform/types/Exceptions.h"
#include "platform/types/Set.h"

#include <gtest/gtest.h>
#include <limits>

namespace zov {
namespace {

TEST(RoundTest, TiesGoToTheEvenNeighbour) {
    const struct {
        double value;
        int32_t expected;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {3.5, 4},      {-0.5, 0},
                 {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {-2.5001, -3}, {1e9 + 0.5, 1000000000}};
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.value), c.expected) << c.value;
    }
}

TEST(RoundTest, NonFiniteAndHugeValuesDoNotCrash) {
    EXPECT_EQ(Round(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Round(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(Round(1e300), 0);
    // Beyond 32 bits the low half is kept, like storing a 64-bit result.
    EXPECT_EQ(Round(4294967296.0 + 7), 7);
}

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRejectsZeroDivisor) {
    const struct {
        int32_t number, numerator, denominator, expected;
    } cases[] = {
        {10, 6, 10, 6},
        {14, 6, 10, 8},
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {-5, -1, -2, -3},
        {7, 3, 0, -1},
        {8, 72, 96, 6},
        {-11, 72, 96, -8},
        {std::numeric_limits<int32_t>::max(), 2, 1, -1},
        {std::numeric_limits<int32_t>::max(), 2, 2, std::numeric_limits<int32_t>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << "*" << c.numerator << "/" << c.denominator;
    }
}

enum TTestFlag : uint8_t { tfA, tfB, tfC, tfH = 15 };
using TTestFlags = TSet<TTestFlag, uint16_t>;

TEST(SetTest, ValueOfOrdinalNIsBitN) {
    TTestFlags flags{tfA, tfC};
    EXPECT_EQ(flags.ToBits(), 0b101);
    flags.Include(tfH);
    EXPECT_EQ(flags.ToBits(), 0x8005);
    flags.Exclude(tfA);
    EXPECT_FALSE(flags.Contains(tfA));
    EXPECT_TRUE(flags.Contains(tfC));
    EXPECT_EQ((TTestFlags{tfA, tfB} + TTestFlags{tfC}).ToBits(), 0b111);
    EXPECT_EQ((TTestFlags{tfA, tfB} - TTestFlags{tfB}), TTestFlags{tfA});
    EXPECT_EQ((TTestFlags{tfA, tfB} * TTestFlags{tfB, tfC}), TTestFlags{tfB});
    EXPECT_TRUE(TTestFlags{}.IsEmpty());
}

TEST(ExceptionTest, MessagesCarryTheirArguments) {
    const EListError error(Exception::Format(SListIndexError, -3));
    EXPECT_EQ(error.Message(), QStringLiteral("Index out of range (-3)"));
    EXPECT_STREQ(error.what(), "Index out of range (-3)");
    EXPECT_EQ(Exception::Format(SPointIndexError, 7), QStringLiteral("Invalid point index. (7)"));
    EXPECT_EQ(Exception::Format(SAssignError, {QStringLiteral("TPen"), QStringLiteral("TFont")}),
              QStringLiteral("Cannot assign a TPen to a TFont"));
    // A replacement that itself contains "%s" is not expanded again.
    EXPECT_EQ(Exception::Format(SAssignError, {QStringLiteral("%s"), QStringLiteral("X")}),
              QStringLiteral("Cannot assign a %s to a X"));

    try {
        throw EGraphInvalidOperation(QString::fromUtf8(SLinkCreateError));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create link with the specified parameters"));
    }
}

} // namespace
} // namespace zov
