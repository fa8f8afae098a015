#pragma once
// The field table of "save.dat" (save_block_tables.cpp).

#include "game/records/record_fields.h"

extern const RecordLayout<9> kSaveBlockLayout;
