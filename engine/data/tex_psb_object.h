#pragma once
// MTexPSBObject: the document the read pipeline builds, owning the textures
// made from its images. Right after loading, the pipeline builds the
// textures of every "rsc", "motion", "map" and "image" document laid out for
// this engine's spec or "common", and frees the pixel bytes once they are on
// the device (the value tree stays readable; its resources read as null).
//
// A document may also be read in place from a read-only mapping of its file,
// which it then owns; its resources stay in the mapping.
//
// Threads: built and given its textures on the read task's completion run
// (a background thread); handed to the main loop through the request's
// status word, and used and destroyed there afterwards.

#include <memory>
#include <vector>

#include "engine/data/psb_object.h"
#include "engine/render/psb_texture.h"
#include "platform/disk/disk_file.h"

class PSBValue;

class MTexPSBObject : public PSBObject {
public:
    using PSBObject::PSBObject;
    // Reads the mapped bytes in place; they are never written, nor purged.
    explicit MTexPSBObject(platform::FileMapping mapping);
    // The textures are given back before the document's bytes are freed.
    ~MTexPSBObject() override = default;

    // Builds the textures of value, a value of this document. With purgeTree,
    // the tree is split from the resource data first and the resource data
    // freed once the textures are made (documents of the four ids only).
    void buildTextures(const PSBValue& value, bool purgeTree);

    // In build order; a texture that could not be made is there, empty.
    const std::vector<std::unique_ptr<MPSBTexture>>& textures() const { return textures_; }

private:
    void buildOf(const PSBValue& value, const char* id);
    void addTexture(const PSBValue& image);
    void addTextureUnlessNull(const PSBValue& holder, const char* key);

    platform::FileMapping mapping_;  // empty unless read in place
    std::vector<std::unique_ptr<MPSBTexture>> textures_;
};
