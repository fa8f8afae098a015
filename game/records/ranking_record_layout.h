#pragma once
// The field table of a ranking record and the leader-type labels
// (ranking_file_tables.cpp).

#include "game/records/record_fields.h"

extern const RecordLayout<14> kRankingRecordLayout;
extern const char* const kRankingTypeLabels[4];
