#pragma once
// A card user's savedata as the game server keeps it: 94 named values, each a
// decimal text on the wire, and the record that mirrors them in memory. The
// card login fills the record from a user/load reply; the play upload writes
// a part of it back with a user/save.
//
// Threads: main thread only.

#include <array>
#include <cstdint>
#include <string>

// 100000 in one of the ten "missing-aware" settings: the reply did not carry
// it, so the card login keeps the profile's own value.
inline constexpr uint32_t kSaveDataMissing = 100000;

struct UserDataRecord {
    uint32_t userId = 0;
    std::array<uint64_t, 16> score{};      // NOVICE, CASUAL, ORIGINAL, EXPERT x types A-D
    std::array<uint32_t, 16> stage{};      // same order
    std::array<uint32_t, 8> maxRank{};     // ORIGINAL, EXPERT x types A-D
    std::array<uint64_t, 20> saScore{};    // score-attack stages 1-5 x types A-D
    std::array<uint32_t, 20> saMaxRank{};  // same order
    uint32_t configShot = 0;
    uint32_t configBomb = 0;
    uint32_t configRapid = 0;
    uint32_t configBlow = 0;
    uint32_t configSound = 0;
    uint32_t configGameSelect = 0;
    uint32_t configSaStage = 0;
    uint32_t configSaFigType = 0;
    uint32_t configSaAssist = 0;
    uint32_t configSaDramatic = 0;
    uint32_t configStMode = 0;
    uint32_t configStFigType = 0;
    uint32_t configStAssist = 0;
    uint32_t configStDramatic = 0;
    std::u16string name;
};

// Which record field a savedata key names.
enum class SaveDataField : uint8_t { Score, Stage, MaxRank, SaScore, SaMaxRank, Setting };

struct SaveDataKey {
    const char* name;
    SaveDataField field;
    uint8_t index;                             // into the field's array
    uint32_t UserDataRecord::* setting;        // Setting only
    bool missingMarked;                        // a missing value reads as kSaveDataMissing
};

inline constexpr int kSaveDataKeys = 94;
inline constexpr int kSaveDataSettings = 14;
// In the order of the user/load request's key list.
extern const std::array<SaveDataKey, kSaveDataKeys> saveDataKeys;

// The first of the fourteen settings in saveDataKeys; they run to the end.
inline constexpr int kFirstSettingKey = kSaveDataKeys - kSaveDataSettings;
// Index into saveDataKeys of a play's keys (mode 0-3 / stage 1-5, type 0-3).
inline constexpr int saveDataScoreKey(uint32_t mode, uint32_t type) { return int(mode * 4 + type); }
inline constexpr int saveDataStageKey(uint32_t mode, uint32_t type) { return 16 + int(mode * 4 + type); }
// ORIGINAL (2) and EXPERT (3) only.
inline constexpr int saveDataMaxRankKey(uint32_t mode, uint32_t type) { return 32 + int((mode - 2) * 4 + type); }
inline constexpr int saveDataSaScoreKey(uint32_t stage, uint32_t type) { return 40 + int((stage - 1) * 4 + type); }
inline constexpr int saveDataSaMaxRankKey(uint32_t stage, uint32_t type) { return 60 + int((stage - 1) * 4 + type); }

// The field a key names: 64 bits for scores, the 32-bit fields widened.
uint64_t userDataGet(const UserDataRecord& record, const SaveDataKey& key);
// Scores take the whole value, other fields its low 32 bits.
void userDataSet(UserDataRecord& record, const SaveDataKey& key, uint64_t value);
