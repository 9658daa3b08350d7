#include "platform/graphics/Paper.h"

#include "platform/types/Arithmetic.h"

#include <array>

namespace zov {

namespace {

constexpr std::array<TPaperInfo, kPaperTypeCount> kPapers{{
    {"pLetter", 1, 8500, 11000, puThousandthInch},
    {"pLetterSmall", 1, 8500, 11000, puThousandthInch},
    {"pTabloid", 3, 11000, 17000, puThousandthInch},
    {"pLedger", 4, 17000, 11000, puThousandthInch},
    {"pLegal", 5, 8500, 14000, puThousandthInch},
    {"pStatement", 6, 5500, 8500, puThousandthInch},
    {"pExecutive", 7, 7250, 10500, puThousandthInch},
    {"pA3", 8, 2970, 4200, puTenthMillimetre},
    {"pA4", 9, 2100, 2970, puTenthMillimetre},
    {"pA4Small", 10, 2100, 2970, puTenthMillimetre},
    {"pA5", 11, 1480, 2100, puTenthMillimetre},
    {"pB4", 12, 2500, 3540, puTenthMillimetre},
    {"pB5", 13, 1820, 2570, puTenthMillimetre},
    {"pFolio", 14, 8500, 13000, puThousandthInch},
    {"pQuatro", 15, 2150, 2750, puTenthMillimetre},
    {"p10x14", 16, 10000, 14000, puThousandthInch},
    {"p11x17", 17, 11000, 17000, puThousandthInch},
    {"pNote", 18, 8500, 11000, puThousandthInch},
    {"pEnv9", 19, 3875, 8875, puThousandthInch},
    {"pEnv10", 20, 4125, 9500, puThousandthInch},
    {"pEnv11", 21, 4500, 10375, puThousandthInch},
    {"pEnv12", 22, 4750, 11000, puThousandthInch},
    {"pEnv14", 23, 5000, 11500, puThousandthInch},
    {"pCSheet", 24, 17000, 22000, puThousandthInch},
    {"pDSheet", 25, 22000, 34000, puThousandthInch},
    {"pESheet", 26, 34000, 44000, puThousandthInch},
    {"pEnvDL", 27, 1100, 2200, puTenthMillimetre},
    {"pEnvC5", 28, 1620, 2290, puTenthMillimetre},
    {"pEnvC3", 29, 3240, 4580, puTenthMillimetre},
    {"pEnvC4", 30, 2290, 3240, puTenthMillimetre},
    {"pEnvC6", 31, 1140, 1620, puTenthMillimetre},
    {"pEnvC65", 32, 1140, 2290, puTenthMillimetre},
    {"pEnvB4", 33, 2500, 3530, puTenthMillimetre},
    {"pEnvB5", 34, 1760, 2500, puTenthMillimetre},
    {"pEnvB6", 35, 1760, 1250, puTenthMillimetre},
    {"pEnvItaly", 36, 1100, 2300, puTenthMillimetre},
    {"pEnvMonarch", 37, 3875, 7500, puThousandthInch},
    {"pEnvPersonal", 38, 3625, 6500, puThousandthInch},
    {"pFanfoldUSStd", 39, 14875, 11000, puThousandthInch},
    {"pFanfoldGermanStd", 40, 8500, 12000, puThousandthInch},
    {"pFanfoldGermanLegal", 41, 8500, 13000, puThousandthInch},
    {"pB4ISO", 42, 2500, 3530, puTenthMillimetre},
    {"pJapanesePostcard", 43, 1000, 1480, puTenthMillimetre},
    {"p9x11", 44, 9000, 11000, puThousandthInch},
    {"p10x11", 45, 10000, 11000, puThousandthInch},
    {"p15x11", 46, 15000, 11000, puThousandthInch},
    {"pEnvInvite", 47, 2200, 2200, puTenthMillimetre},
    {"pLetterExtra", 50, 9500, 12000, puThousandthInch},
    {"pLegalExtra", 51, 9500, 15000, puThousandthInch},
    {"TabloidExtra", 52, 11690, 18000, puThousandthInch},
    {"pA4Extra", 53, 9270, 12690, puThousandthInch},
    {"pLetterTransverse", 54, 8500, 11000, puThousandthInch},
    {"pA4Transverse", 55, 2100, 2970, puTenthMillimetre},
    {"pLetterExtraTransverse", 56, 9500, 12000, puThousandthInch},
    {"pAPlus", 57, 2270, 3560, puTenthMillimetre},
    {"pBPlus", 58, 3050, 4870, puTenthMillimetre},
    {"pLetterPlus", 59, 8500, 12690, puThousandthInch},
    {"pA4Plus", 60, 2100, 3300, puTenthMillimetre},
    {"pA5Transverse", 61, 1480, 2100, puTenthMillimetre},
    {"pB5Transverse", 62, 1820, 2570, puTenthMillimetre},
    {"pA3Extra", 63, 3220, 4450, puTenthMillimetre},
    {"pA5Extra", 64, 1740, 2350, puTenthMillimetre},
    {"pB5Extra", 65, 2010, 2760, puTenthMillimetre},
    {"pA2", 66, 4200, 5940, puTenthMillimetre},
    {"pA3Transverse", 67, 2970, 4200, puTenthMillimetre},
    {"pA3ExtraTransverse", 68, 3220, 4450, puTenthMillimetre},
    {"pCustom", 256, 0, 0, puPixel},
}};

int32_t ToHundredthInch(int32_t value, TPaperUnit unit) {
    switch (unit) {
    case puTenthMillimetre:
        return Round(value / 2.54);
    case puThousandthInch:
        return Round(value / 10.0);
    case puPixel:
        break;
    }
    return value;
}

} // namespace

const TPaperInfo& PaperInfo(TPaperType type) {
    return kPapers[type < kPaperTypeCount ? type : pCustom];
}

TSize PaperSizeInHundredthInch(TPaperType type) {
    const TPaperInfo& info = PaperInfo(type);
    return {ToHundredthInch(info.Width, info.Unit), ToHundredthInch(info.Height, info.Unit)};
}

} // namespace zov
