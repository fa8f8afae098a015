#include "game/records/card_login.h"

#include <algorithm>
#include <array>

#include "game/core/coin_hook.h"
#include "game/core/input_words.h"
#include "game/records/abaas_gs.h"
#include "game/records/card_login_steps.h"
#include "game/records/card_profile.h"
#include "game/records/sound_lookup.h"
#include "platform/arcade/apm.h"

int32_t loginChoiceCount = 0;

namespace {

constexpr uint32_t kLoginPadLeft = 0x04;
constexpr uint32_t kLoginPadRight = 0x08;
constexpr uint32_t kLoginButton1 = 0x10;
constexpr uint32_t kLoginButton2 = 0x20;
constexpr uint32_t kLoginButton3 = 0x40;
constexpr int32_t kLoginSeconds = 30;
constexpr int32_t kAccessCodeSeconds = 60;
constexpr int32_t kFramesPerSecond = 60;
constexpr int32_t kArrowFlash = 10;
constexpr int32_t kRecordsPages = 3;
constexpr int32_t kConfirmRefusedInAccessCode = 2;
constexpr int32_t kErrorLampCategory = 2;

constexpr int32_t kLoginIdle = 0;
constexpr int32_t kLoginChoose = 2;
constexpr int32_t kLoginReadStart = 3;
constexpr int32_t kLoginTouch = 4;
constexpr int32_t kLoginConfirm = 5;
constexpr int32_t kLoginReadResult = 6;
constexpr int32_t kLoginCancel = 7;
constexpr int32_t kLoginCancelWait = 8;
constexpr int32_t kLoginAccessCode = 10;

bool loginPressed(uint32_t bit) { return (padRawPressed & bit) != 0; }
bool loginTimedOut() { return cardProfile.secondsLeft == 0; }

// Left and right move the cursor round the screen's choices.
void loginMoveCursor(int32_t choices) {
    int32_t& cursor = cardProfile.loginCursor;
    if (loginPressed(kLoginPadLeft)) {
        cursor = ((cursor - 1) % choices + choices) % choices;
        soundPlayNamed("cursor");
    }
    if (loginPressed(kLoginPadRight)) {
        cursor = ((cursor + 1) % choices + choices) % choices;
        soundPlayNamed("cursor");
    }
}

// The screens that count down; a coin gives the player the whole time again.
bool loginCounts(int32_t state) {
    switch (state) {
    case kLoginChoose: case kLoginTouch: case kLoginConfirm: case kLoginRecords: case kLoginAccessCode:
    case kLoginError: case kLoginStartPlay:
        return true;
    default:
        return false;
    }
}

void loginCountDown(int32_t state) {
    CardProfile& p = cardProfile;
    if (coinFlag != 0) p.secondsLeft = state == kLoginAccessCode ? kAccessCodeSeconds : kLoginSeconds;
    if (--p.frameCount < 1) {
        p.secondsLeft = std::max(0, p.secondsLeft - 1);
        p.frameCount = kFramesPerSecond;
    }
}

// Leaving the screen by its second choice or its time.
int32_t loginBack() {
    soundPlayNamed("cancel");
    return kLoginLeft;
}

int32_t loginStepStart(LoginArrows&) {
    loginSetTimers(kLoginSeconds);
    loginShowScreen(kLoginChoose, 3, 1);
    return kLoginRunning;
}

int32_t loginStepChoose(LoginArrows&) {
    CardProfile& p = cardProfile;
    if (loginTimedOut()) return kLoginLeft;
    loginMoveCursor(3);
    if (!loginPressed(kLoginButton1)) return kLoginRunning;
    if (p.loginCursor == 1) {
        soundPlayNamed("ok");
        loginSetTimers(kLoginSeconds);
        loginShowScreen(kLoginStartPlay, 2, 0);
        return kLoginRunning;
    }
    if (!aimeCardPathOpen()) {
        soundPlayNamed("cancel");
        return kLoginRunning;
    }
    soundPlayNamed("ok");
    loginSetTimers(kLoginSeconds);
    p.accessCodeMode = p.loginCursor == 2;
    p.loginState = kLoginReadStart;
    return kLoginRunning;
}

int32_t loginStepReadStart(LoginArrows&) {
    cardProfile.loginState = _Aime_start() ? kLoginTouch : kLoginCancel;
    return kLoginRunning;
}

// A confirmation the reader already holds wins over a cancel in the same frame.
int32_t loginStepTouch(LoginArrows&) {
    if (loginPressed(kLoginButton2) || loginTimedOut()) {
        soundPlayNamed("cancel");
        cardProfile.loginState = kLoginCancel;
    }
    if (!_Aime_isBusy()) {
        cardProfile.loginState = kLoginReadResult;
    } else if (_Aime_hasConfirm()) {
        loginSetTimers(kLoginSeconds);
        loginShowScreen(kLoginConfirm, 2, 1);
    }
    return kLoginRunning;
}

int32_t loginStepConfirm(LoginArrows&) {
    CardProfile& p = cardProfile;
    if (!_Aime_isBusy()) {
        p.loginState = kLoginReadResult;
        return kLoginRunning;
    }
    if (p.accessCodeMode && _Aime_getConfirm() == kConfirmRefusedInAccessCode) {
        _Aime_cancel();
        return kLoginRunning;
    }
    loginMoveCursor(2);
    const bool timedOut = loginTimedOut();
    if (!loginPressed(kLoginButton1) && !timedOut) return kLoginRunning;
    if (p.loginCursor == 1 || timedOut) {
        soundPlayNamed("cancel");
        p.loginState = kLoginCancel;
        return kLoginRunning;
    }
    _Aime_acceptConfirm();
    soundPlayNamed("ok");
    loginChoiceCount = 2;
    p.loginCursor = 1;
    return kLoginRunning;
}

int32_t loginStepReadResult(LoginArrows&) {
    CardProfile& p = cardProfile;
    if (_Aime_isBusy()) return kLoginRunning;
    if (_Aime_hasError()) {
        if (_Aime_getErrorCategory() == kErrorLampCategory) _Aime_setLedError();
        soundPlayNamed("aime_error");
        p.loginError = 1;
        loginSetTimers(kLoginSeconds);
        p.loginState = kLoginError;
    } else if (!_Aime_hasResult()) {
        p.loginState = kLoginStart;
    } else if (p.accessCodeMode) {
        _Aime_setLedSuccess();
        soundPlayNamed("aime_access_code");
        loginSetTimers(kAccessCodeSeconds);
        p.buttonHeld = false;
        loginShowScreen(kLoginAccessCode, 2, 0);
    } else {
        p.loginState = kLoginProfileLoad;
    }
    return kLoginRunning;
}

int32_t loginStepCancel(LoginArrows&) {
    if (!_Aime_cancel()) return kLoginLeft;
    cardProfile.loginState = kLoginCancelWait;
    return kLoginRunning;
}

int32_t loginStepCancelWait(LoginArrows&) { return _Aime_isBusy() ? kLoginRunning : kLoginLeft; }

void loginTurnPage(int32_t step, int32_t& flash) {
    int32_t& page = cardProfile.recordsPage;
    const int32_t turned = page + step;
    if (turned < 0 || turned >= kRecordsPages) return;
    page = turned;
    flash = kArrowFlash;
    soundPlayNamed("cursor");
}

int32_t loginStepRecords(LoginArrows& arrows) {
    CardProfile& p = cardProfile;
    if (loginPressed(kLoginButton2)) loginTurnPage(-1, arrows.left);
    if (loginPressed(kLoginButton3)) loginTurnPage(1, arrows.right);
    loginMoveCursor(2);
    const bool timedOut = loginTimedOut();
    if (!loginPressed(kLoginButton1) && !timedOut) return kLoginRunning;
    if (p.loginCursor == 1 || timedOut) return loginBack();
    soundPlayNamed("ok");
    loginSetTimers(kLoginSeconds);
    loginShowScreen(kLoginStartPlay, 2, 0);
    return kLoginRunning;
}

// The code shows while button 1 is held on the first choice.
int32_t loginStepAccessCode(LoginArrows&) {
    CardProfile& p = cardProfile;
    loginMoveCursor(2);
    const bool timedOut = loginTimedOut();
    if ((padRaw & kLoginButton1) == 0 && !timedOut) {
        p.buttonHeld = false;
        return kLoginRunning;
    }
    if (p.loginCursor == 1 || timedOut) {
        p.buttonHeld = false;
        return loginBack();
    }
    p.buttonHeld = true;
    return kLoginRunning;
}

int32_t loginStepError(LoginArrows&) {
    if (loginTimedOut()) return kLoginLeft;
    return loginPressed(kLoginButton2) ? loginBack() : kLoginRunning;
}

int32_t loginStepStartPlay(LoginArrows&) {
    loginMoveCursor(2);
    const bool timedOut = loginTimedOut();
    if (!loginPressed(kLoginButton1) && !timedOut) return kLoginRunning;
    if (cardProfile.loginCursor == 1 || timedOut) return loginBack();
    if (!_Credit_isGameCostEnough(1)) {
        soundPlayNamed("cancel");
        return kLoginRunning;
    }
    if (!cardProfileIsCardUser()) return kLoginPlay;
    cardProfile.loginState = kLoginGameStart;
    return kLoginRunning;
}

// State 0 is idle: no step.
constexpr std::array<LoginStep, 16> kLoginSteps = {
    nullptr,            loginStepStart,       loginStepChoose,      loginStepReadStart,
    loginStepTouch,     loginStepConfirm,     loginStepReadResult,  loginStepCancel,
    loginStepCancelWait, loginStepRecords,    loginStepAccessCode,  loginStepProfileLoad,
    loginStepGameStart, loginStepReply,       loginStepError,       loginStepStartPlay,
};

}  // namespace

void loginSetTimers(int32_t seconds) {
    cardProfile.secondsLeft = seconds;
    cardProfile.frameCount = kFramesPerSecond;
}

void loginShowScreen(int32_t state, int32_t choices, int32_t cursor) {
    loginChoiceCount = choices;
    cardProfile.loginCursor = cursor;
    cardProfile.loginState = state;
}

bool aimeCardPathOpen() { return _Aime_isDBAlive() && abaasGs && abaasGs->online; }

int32_t aimeLoginUpdate(LoginArrows& arrows) {
    const int32_t state = cardProfile.loginState;
    // A state outside the flow is left alone, like the idle one.
    if (state <= kLoginIdle || state >= int32_t(kLoginSteps.size())) return kLoginRunning;
    if (loginCounts(state)) loginCountDown(state);
    const int32_t result = kLoginSteps[size_t(state)](arrows);
    if (result != kLoginRunning) return result;
    arrows.left = std::max(0, arrows.left - 1);
    arrows.right = std::max(0, arrows.right - 1);
    return kLoginRunning;
}
