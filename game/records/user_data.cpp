#include "game/records/user_data.h"

uint64_t userDataGet(const UserDataRecord& record, const SaveDataKey& key) {
    switch (key.field) {
        case SaveDataField::Score: return record.score[key.index];
        case SaveDataField::Stage: return record.stage[key.index];
        case SaveDataField::MaxRank: return record.maxRank[key.index];
        case SaveDataField::SaScore: return record.saScore[key.index];
        case SaveDataField::SaMaxRank: return record.saMaxRank[key.index];
        case SaveDataField::Setting: return record.*key.setting;
    }
    return 0;
}

void userDataSet(UserDataRecord& record, const SaveDataKey& key, uint64_t value) {
    const uint32_t low = uint32_t(value);
    switch (key.field) {
        case SaveDataField::Score: record.score[key.index] = value; break;
        case SaveDataField::Stage: record.stage[key.index] = low; break;
        case SaveDataField::MaxRank: record.maxRank[key.index] = low; break;
        case SaveDataField::SaScore: record.saScore[key.index] = value; break;
        case SaveDataField::SaMaxRank: record.saMaxRank[key.index] = low; break;
        case SaveDataField::Setting: record.*key.setting = low; break;
    }
}
