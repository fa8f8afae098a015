#include "game/core/credit_line.h"

#include <cstdio>
#include <cstring>

#include "engine/ui/psb_font.h"
#include "game/core/app_switches.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/server_keep_alive.h"
#include "game/core/sprite_frames.h"
#include "game/records/abaas_gs.h"
#include "platform/arcade/apm.h"

namespace {

constexpr const char* kCardServiceDown = "ただいまAimeを使用したプレイができません。";
constexpr const char* kShopClosed =
    "閉店時間になりました。以降のAimeのプレイデータは保存されない場合があります。";
constexpr const char* kShopClosingIn =
    "あと%d分で閉店となります。閉店時間以降はAimeのプレイデータは保存されない場合があります。";

constexpr int32_t kFontCredit = 1;
constexpr int32_t kFontNotice = 2;
constexpr int32_t kLayerIcon = 1000;
constexpr int32_t kFrameOnline = 7;
constexpr int32_t kFrameCardDown = 8;
constexpr int32_t kFrameOffline = 9;
constexpr int32_t kAliveAttemptsDone = 3;
constexpr int32_t kNoClosingTime = -1;
constexpr int32_t kWarnBeforeClosing = 1800;  // seconds
constexpr float kIconX = 1876.0f;
constexpr float kIconGap = 4.0f;
constexpr float kCreditByteWidth = 12.0f;

bool cardServiceUp() { return _AllnetAuth_isGood() && abaasGs != nullptr && abaasGs->online && _Aime_isDBAlive(); }

// Only once the keep-alive has finished its first series of attempts, so the
// notice doesn't flash while the network comes up.
void drawCardNotice() {
    if (attractMode != 1 || keepAlive.aliveAttempts < kAliveAttemptsDone) return;
    const char* text = cardServiceUp() ? " " : kCardServiceDown;
    OBJdrawFontText(gameMainOwner, kFontNotice, text, 960.0f, 1000.0f, 1.0f, 255, 32, 32, 1);
}

// 12 pixels a byte until the font has loaded; its glyphs are not that wide,
// and a line placed by 12 a byte ran into the network icon.
float creditLineWidth(const char* line) {
    GameTask* task = GameTask::getInstance();
    MPSBFont* font = task != nullptr ? task->fonts[kFontCredit] : nullptr;
    if (font == nullptr) return kCreditByteWidth * float(std::strlen(line));
    return font->textSize(line, 0.0f, 0.0f).width;
}

int32_t networkIconFrame() {
    if (!_AllnetAuth_isGood()) return kFrameOffline;
    return cardServiceUp() ? kFrameOnline : kFrameCardDown;
}

// Right-aligned to end a little before the icon, which is centred on its x.
void drawCredits() {
    char line[64];
    if (_Credit_isFreePlay()) {
        std::snprintf(line, sizeof line, "FREE PLAY");
    } else {
        std::snprintf(line, sizeof line, "CREDIT(S) ");
        creditTextToUtf8(_Credit_toString(-1), line + std::strlen(line), sizeof line - std::strlen(line));
    }
    const float iconLeft = kIconX - float(OBJgetFrameRect(networkIconFrame()).w / 2);
    const float x = iconLeft - kIconGap - creditLineWidth(line);
    OBJdrawFontText(gameMainOwner, kFontCredit, line, x, 40.0f, 1.0f, 255, 255, 255, 1);
}

void drawNetworkIcon() {
    OBJdrawSprite(gameMainOwner, networkIconFrame(), kIconX, 40.0f, kLayerIcon, 1.0f, 1.0f, 0.0f, 1.0f, 0);
}

// From 30 minutes before closing, in whole minutes; at closing time the closed notice.
void drawClosingTime() {
    int32_t seconds = kNoClosingTime;
    _ApmSystemSetting_getTimeToClosingTime(&seconds);
    if (seconds == kNoClosingTime || seconds > kWarnBeforeClosing) return;
    char text[512];
    if (seconds <= 0) {
        std::snprintf(text, sizeof text, "%s", kShopClosed);
    } else {
        std::snprintf(text, sizeof text, kShopClosingIn, seconds / 60);
    }
    OBJdrawFontText(gameMainOwner, kFontNotice, text, 960.0f, 1040.0f, 1.0f, 255, 255, 255, 1);
}

size_t utf8Length(uint32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

}  // namespace

size_t creditTextToUtf8(const wchar_t* text, char* out, size_t size) {
    if (out == nullptr || size == 0) return 0;
    size_t used = 0;
    for (; text != nullptr && *text != L'\0'; ++text) {
        uint32_t c = uint32_t(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        const size_t length = utf8Length(c);
        if (used + length >= size) break;
        if (length == 1) {
            out[used++] = char(c);
            continue;
        }
        const uint8_t lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
        out[used++] = char(lead[length] | (c >> (6 * (length - 1))));
        for (size_t k = length - 1; k > 0; --k) out[used++] = char(0x80 | ((c >> (6 * (k - 1))) & 0x3F));
    }
    out[used] = '\0';
    return used;
}

void creditLineDraw() {
    if (!arcadeMode || gameMainOwner == nullptr) return;
    drawCardNotice();
    if (toolMode) return;
    drawCredits();
    drawNetworkIcon();
    drawClosingTime();
}
