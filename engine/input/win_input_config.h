#pragma once
// MWinInputConfig: the button maps of the DirectInput pads, one per pad place,
// read from "dinput.ini" beside the program. A pad's section is named after
// its product identifier; each "Key..." line gives the pad button (0..127)
// that acts as that engine button. A pad without lines uses the default map.

#include <array>
#include <string>
#include <vector>

#include "engine/input/input_map.h"
#include "platform/input/ini_file.h"
#include "platform/input/input_backend.h"

class MWinInputConfig {
public:
    virtual ~MWinInputConfig() = default;

    std::array<std::vector<MInputMapping>, platform::kJoyPlaces> places;
};

// "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x" of the product GUID.
std::string inputConfigSection(const platform::ProductGuid& product);

// The map a pad's section gives, in the order of inputConfigKeys().
std::vector<MInputMapping> readPadMapping(const platform::IniFile& ini,
                                          const platform::ProductGuid& product);

// Replaces the place's map with the one "dinput.ini" gives (empty when the
// file or the section is missing).
void loadInputConfig(MWinInputConfig& config, int place, const platform::ProductGuid& product);
