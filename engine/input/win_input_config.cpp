#include "engine/input/win_input_config.h"

#include <cstdio>
#include <cstdlib>

#include "platform/input/module_directory.h"

namespace {

constexpr size_t kValueChars = 100;
constexpr int kPadButtons = 128;

}  // namespace

std::string inputConfigSection(const platform::ProductGuid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", g.data1,
                  g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                  g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

std::vector<MInputMapping> readPadMapping(const platform::IniFile& ini,
                                          const platform::ProductGuid& product) {
    const std::string section = inputConfigSection(product);
    std::vector<MInputMapping> mapping;
    for (const MInputConfigKey& key : inputConfigKeys()) {
        const int button = std::atoi(ini.get(section, key.name, "256", kValueChars).c_str());
        if (button >= 0 && button < kPadButtons) {
            mapping.push_back({uint32_t(button), key.engineBits, key.xinputBits});
        }
    }
    return mapping;
}

void loadInputConfig(MWinInputConfig& config, int place, const platform::ProductGuid& product) {
    std::vector<MInputMapping>& mapping = config.places[size_t(place)];
    mapping.clear();
    const auto ini = platform::IniFile::load(platform::moduleDirectory() + "dinput.ini");
    if (ini) mapping = readPadMapping(*ini, product);
}
