// Hand-edited configuration text: any bytes must parse without a fault, and
// every stored key must be found again with a non-empty value list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/base/res_cfg.h"

namespace {

class TextCfg : public MResCfg {
public:
    bool load() override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TextCfg config;
    config.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    TextCfg copy;
    copy.merge(config);
    for (const MResCfg::Entry& entry : config.entries()) {
        if (entry.key.empty() || entry.values.empty() || copy.find(entry.key) < 0 ||
            config.getString(entry.key) == nullptr) {
            std::abort();
        }
        config.getInt(entry.key);
        config.getFloat(entry.key);
    }
    return 0;
}
