#include "engine/data/tex_psb_object.h"

#include <string>
#include <string_view>
#include <utility>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_value.h"

namespace {

// The document ids whose images this build makes textures of.
bool buildsTextures(std::string_view id) { return id == "rsc" || id == "motion" || id == "map" || id == "image"; }

// The elements of a list value; nothing for any other value.
template <typename Each>
void forEachElement(const PSBValue& list, Each each) {
    if (list.kind() != PSBKind::List) return;
    for (uint32_t i = 0; i < list.getCount(); ++i) each(list.at(i));
}

}  // namespace

// The document borrows the bytes and never writes them; the member keeps the
// mapping (its address unchanged by the move) until the document goes.
MTexPSBObject::MTexPSBObject(platform::FileMapping mapping)
    : PSBObject(const_cast<uint8_t*>(mapping.bytes()), mapping.size(), PSBOwnership::Borrowed),
      mapping_(std::move(mapping)) {}

void MTexPSBObject::buildTextures(const PSBValue& value, bool purgeTree) {
    PSBValue id, spec;
    if (!value.find("id", id) || !value.find("spec", spec)) return;
    if (id.kind() != PSBKind::String || spec.kind() != PSBKind::String) return;
    const std::string_view specText = spec.toString();
    if (specText != M_SPEC && specText != "common") return;
    const std::string idText = id.toString();
    if (!purgeTree || !buildsTextures(idText)) {
        buildOf(value, idText.c_str());
        return;
    }
    // The tree keeps its layout in its purged copy: the value is found
    // again at the same distance from the root.
    const ptrdiff_t fromRoot = value.pointer() - rootPointer();
    purge();
    buildOf(PSBValue(this, rootPointer() + fromRoot), idText.c_str());
    releaseResourceData();
}

void MTexPSBObject::buildOf(const PSBValue& value, const char* idText) {
    const std::string_view id = idText;
    if (id == "rsc") {
        const PSBValue rsc = value.get("rsc");
        std::vector<std::string> keys;
        rsc.getKeys(keys);
        for (const std::string& key : keys) buildTextures(rsc.get(key), false);
    } else if (id == "motion") {
        const PSBValue source = value.get("source");
        std::vector<std::string> keys;
        source.getKeys(keys);
        for (const std::string& key : keys) addTexture(source.get(key).get("texture"));
    } else if (id == "map") {
        forEachElement(value.get("layer"), [this](const PSBValue& layer) {
            const std::string_view className = layer.get("className").toString();
            if (className == "ChipLayerItem") {
                addTextureUnlessNull(layer, "image");
            } else if (className == "BezierLayerItem") {
                forEachElement(layer.get("texture"), [this](const PSBValue& texture) {
                    addTextureUnlessNull(texture, "textureLane");
                    addTextureUnlessNull(texture, "textureWall");
                    const PSBValue sides = texture.get("textureLaneSide");
                    for (uint32_t i = 0; i < 2 && sides.kind() == PSBKind::List && i < sides.getCount(); ++i) {
                        if (sides.at(i).kind() != PSBKind::Null) addTexture(sides.at(i));
                    }
                });
            }
        });
    } else if (id == "image") {
        forEachElement(value.get("imageList"), [this](const PSBValue& entry) {
            forEachElement(entry.get("texture"), [this](const PSBValue& texture) { addTexture(texture.get("image")); });
        });
    }
}

void MTexPSBObject::addTexture(const PSBValue& image) {
    auto texture = std::make_unique<MPSBTexture>();
    loadPSBTexture(*texture, image);
    textures_.push_back(std::move(texture));
}

void MTexPSBObject::addTextureUnlessNull(const PSBValue& holder, const char* key) {
    const PSBValue image = holder.get(key);
    if (image.kind() != PSBKind::Null) addTexture(image);
}
