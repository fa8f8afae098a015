// libFuzzer target: any bytes as a PSB document whose image objects become
// textures. Every object of the tree with "pixel" (the image objects of image,
// motion and map documents, and a font's "source" images) is made into a
// texture on a Direct3D window over a recording device, so its pixels are
// decoded from their type and spec (every pixel type, ETC1 and PVRTC among
// them, palettes, mip levels) and uploaded; a root whose "id" is "font" is
// also read as a PSB font: its header check and the glyphs of many code
// units. A damaged document must end in the reader's fatal message (thrown
// here so the run goes on) or a refused image, never a read outside it.
//
// Images over kPsbTextureFuzzPixels pixels in a level are skipped: they only
// make the decoder fill large buffers, which the unit tests check.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "engine/render/psb_texture.h"
#include "engine/render/win_d3d_win.h"
#include "engine/ui/psb_font.h"
#include "tests/engine/render/fake_device_factory.h"

namespace {

struct TextureFuzzFatal {};

void throwTextureFuzzFatal(const char*) { throw TextureFuzzFatal{}; }

constexpr int64_t kPsbTextureFuzzPixels = 1 << 18;

struct TextureFuzzWindow {
    FakeDeviceFactory factory;
    std::unique_ptr<MWinD3DWin> window;

    TextureFuzzWindow() {
        M_SPEC = "win";
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = 64;
        s.windowHeight = s.clientHeight = 64;
        s.screenWidth = s.screenHeight = 64;
        s.d3dPureDevice = true;
        window = std::make_unique<MWinD3DWin>(factory, nullptr, false, 0, 0);
        if (!window->initialize()) std::abort();
    }
};

int64_t sideOf(const PSBValue& object, const char* key) {
    PSBValue v;
    if (!object.find(key, v)) return 0;
    const PSBKind k = v.kind();
    return k == PSBKind::Int || k == PSBKind::Long || k == PSBKind::Float || k == PSBKind::Double ? v.toLong() : 0;
}

bool levelIsSmall(const PSBValue& level) {
    const int64_t w = sideOf(level, "width"), h = sideOf(level, "height");
    return w >= 0 && h >= 0 && w <= kPsbTextureFuzzPixels && h <= kPsbTextureFuzzPixels &&
           w * h <= kPsbTextureFuzzPixels;
}

bool imageIsSmall(const PSBValue& image) {
    if (!levelIsSmall(image)) return false;
    PSBValue mipMap;
    if (!image.find("mipMap", mipMap) || mipMap.kind() != PSBKind::List) return true;
    for (uint32_t i = 0; i < mipMap.getCount() && i < 16; ++i) {
        if (mipMap.at(i).kind() == PSBKind::Object && !levelIsSmall(mipMap.at(i))) return false;
    }
    return true;
}

// Lists may share elements, so the walk is bounded in values as well as depth.
struct TextureFuzzWalk {
    MWinD3DWin& window;
    int budget = 2000;

    void read(const PSBValue& value, int depth) {
        if (--budget < 0 || depth > 32) return;
        if (value.kind() == PSBKind::List) {
            for (uint32_t i = 0; i < value.getCount() && budget > 0; ++i) read(value.at(i), depth + 1);
            return;
        }
        if (value.kind() != PSBKind::Object) return;
        PSBValue pixel;
        if (value.find("pixel", pixel) && imageIsSmall(value)) {
            MPSBTexture texture;
            loadPSBTexture(window, texture, value, false);
            texture.release();
        }
        std::vector<std::string> keys;
        value.getKeys(keys);
        for (const std::string& key : keys) {
            PSBValue found;
            if (value.find(key, found)) read(found, depth + 1);
            if (budget <= 0) return;
        }
    }
};

void readFont(const PSBObject& doc) {
    PSBValue id;
    if (!doc.root().find("id", id) || id.kind() != PSBKind::String || std::strcmp(id.toString(), "font") != 0) return;
    MPSBFont font(doc, 1.5f);
    font.getMaxSize();
    for (char16_t code : {u'\0', u' ', u'0', u'A', u'z', u'~', u'\u3042', u'\uFF01', char16_t(0xD800), u'\uFFFF'}) {
        font.getCharSize(code);
        font.hasChar(std::u16string_view(&code, 1));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed =
        (setPSBFatalHandler(throwTextureFuzzFatal), setDebugTraceSink([](std::string_view) {}), true);
    static TextureFuzzWindow window;
    (void)installed;
    auto* bytes = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(bytes, data, size);
    try {
        const auto doc = std::make_unique<PSBObject>(bytes, size);
        TextureFuzzWalk{*window.window}.read(doc->root(), 0);
        readFont(*doc);
    } catch (const TextureFuzzFatal&) {
    }
    // The device records every call; a record kept from input to input
    // would make each one look like a leak.
    window.factory.last->clearRecord();
    return 0;
}
