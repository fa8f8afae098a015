#include "game/frontend/ending/credit_roll_provisional.h"

#if !__has_include("game/frontend/front_words.h")
const CreditRollRow creditRollTable[kCreditRollPages][kCreditRollRows] = {};
#endif
