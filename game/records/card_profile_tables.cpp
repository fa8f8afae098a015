#include "game/records/card_profile.h"

const std::array<CardStoredSetting, kSaveDataSettings> cardStoredSettings = {{
    {&CardProfile::configSound, &UserDataRecord::configSound, false},
    {&CardProfile::configGameSelect, &UserDataRecord::configGameSelect, false},
    {&CardProfile::configSaStage, &UserDataRecord::configSaStage, false},
    {&CardProfile::configSaFigType, &UserDataRecord::configSaFigType, false},
    {&CardProfile::configSaAssist, &UserDataRecord::configSaAssist, false},
    {&CardProfile::configSaDramatic, &UserDataRecord::configSaDramatic, false},
    {&CardProfile::configStMode, &UserDataRecord::configStMode, false},
    {&CardProfile::configStFigType, &UserDataRecord::configStFigType, false},
    {&CardProfile::configStAssist, &UserDataRecord::configStAssist, false},
    {&CardProfile::configStDramatic, &UserDataRecord::configStDramatic, false},
    {&CardProfile::configShot, &UserDataRecord::configShot, true},
    {&CardProfile::configBomb, &UserDataRecord::configBomb, true},
    {&CardProfile::configRapid, &UserDataRecord::configRapid, true},
    {&CardProfile::configBlow, &UserDataRecord::configBlow, true},
}};
