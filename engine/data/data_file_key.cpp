#include "engine/data/data_file_key.h"

std::string dataFileKey;
uint32_t dataFileKeyMode = 0;
