#include "game/core/app_start.h"

#include "engine/data/data_file_key.h"

void installDataFileKey() {
    dataFileKey = kDataFileKeyText;
    dataFileKeyMode = kDataFileKeyStreamLength;
}
