#pragma once

#include "platform/types/Types.h"

#include <cstdint>

namespace zov {

// The standard paper sizes, in the order their ordinal is stored in graph files.
enum TPaperType : uint8_t {
    pLetter,
    pLetterSmall,
    pTabloid,
    pLedger,
    pLegal,
    pStatement,
    pExecutive,
    pA3,
    pA4,
    pA4Small,
    pA5,
    pB4,
    pB5,
    pFolio,
    pQuatro,
    p10x14,
    p11x17,
    pNote,
    pEnv9,
    pEnv10,
    pEnv11,
    pEnv12,
    pEnv14,
    pCSheet,
    pDSheet,
    pESheet,
    pEnvDL,
    pEnvC5,
    pEnvC3,
    pEnvC4,
    pEnvC6,
    pEnvC65,
    pEnvB4,
    pEnvB5,
    pEnvB6,
    pEnvItaly,
    pEnvMonarch,
    pEnvPersonal,
    pFanfoldUSStd,
    pFanfoldGermanStd,
    pFanfoldGermanLegal,
    pB4ISO,
    pJapanesePostcard,
    p9x11,
    p10x11,
    p15x11,
    pEnvInvite,
    pLetterExtra,
    pLegalExtra,
    TabloidExtra,
    pA4Extra,
    pLetterTransverse,
    pA4Transverse,
    pLetterExtraTransverse,
    pAPlus,
    pBPlus,
    pLetterPlus,
    pA4Plus,
    pA5Transverse,
    pB5Transverse,
    pA3Extra,
    pA5Extra,
    pB5Extra,
    pA2,
    pA3Transverse,
    pA3ExtraTransverse,
    pCustom,
};
inline constexpr int kPaperTypeCount = pCustom + 1;

// The unit a paper's width and height are given in.
enum TPaperUnit : uint8_t { puTenthMillimetre, puThousandthInch, puPixel };

struct TPaperInfo {
    const char* Name; // the type's name, e.g. "pA4"
    int32_t PaperId;  // the printing system's paper number
    int32_t Width;    // portrait width and height in Unit
    int32_t Height;
    TPaperUnit Unit;
};

const TPaperInfo& PaperInfo(TPaperType type);
// The portrait size in hundredths of an inch (rounded to the nearest, ties to even).
TSize PaperSizeInHundredthInch(TPaperType type);

} // namespace zov
