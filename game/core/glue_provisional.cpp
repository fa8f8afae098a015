#include "game/core/glue_provisional.h"

int32_t cardUserId = 0;
int32_t cardLoginState = 0;
int32_t cardLoginBusy = 0;
CardProfile cardProfile;
uint8_t coinFlag = 0;

void cardProfileResetGuest() {
    cardUserId = 0;
    cardProfile = CardProfile{};
}

bool coinInHook(int32_t event) {
    if (event == 1 || event == 2) coinFlag = 1;
    return true;
}
