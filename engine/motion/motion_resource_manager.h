#pragma once
// MMotionResourceManager: everything a playing motion asks of the outside
// world (textures, source rectangles, the frame delta, random numbers, a
// lock, ground correction) and the motion files registered with it. Each
// registered document is one MMotionDataEntry, kept in registration order;
// a player finds its motions and its icons' rectangles through the entries.
//
// Threads: loadMotion, releaseMotion and the texture operations run on the
// main thread while no player of the manager runs. findMotion and the base
// getSourceInfo only read the entries, from whichever thread plays or draws.
// The layer-id pool is touched only between lock and unlock.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/motion_source_info.h"

class MMotionRenderManager;
class PSBObject;

struct MMotionVec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// One source of a registered document: its "icon" object and the texture
// slot its "texture" image was loaded into.
struct MMotionSourceEntry {
    PSBValue icons;
    int32_t texture = -1;
};

struct MMotionDataEntry {
    int32_t id = 0;
    int32_t referenceCount = 1;
    const PSBObject* document = nullptr;  // not owned
    std::map<std::string, MMotionSourceEntry> sources;
    std::map<std::string, PSBValue> objects;
    PSBValue renameMap;  // "sourceIconRenameMap", or null
};

// Layer ids: a new id is the last one given back, else the next never used.
class MMotionIdPool {
public:
    uint32_t acquire();
    void release(uint32_t id) { returned_.push_back(id); }

private:
    uint32_t next_ = 0;
    std::vector<uint32_t> returned_;
};

class MMotionResourceManager {
public:
    MMotionResourceManager() = default;
    virtual ~MMotionResourceManager() = default;
    MMotionResourceManager(const MMotionResourceManager&) = delete;
    MMotionResourceManager& operator=(const MMotionResourceManager&) = delete;

    // A texture slot for the image object; shareable says whether the
    // texture may be shared through the engine's shared texture table.
    virtual int32_t loadTexture(const PSBValue& image, bool shareable) = 0;
    // Told, as each document loads, the draw modes its layers name, for each
    // texture slot made for it; by default nothing is done with them.
    virtual void warmTexture(int32_t slot, const std::vector<uint32_t>& drawModes);
    virtual void releaseTexture(int32_t slot) = 0;
    // May move a ground-corrected layer's position; by default it does not.
    virtual void correctGround(const MMotionVec3& previous, MMotionVec3& position, const MMotionVec3& parent,
                               int32_t groundIndex);
    // Frames a motion advances this frame.
    virtual float getFrameDelta() = 0;
    // A number in [0, 1).
    virtual float random() = 0;
    // The icon's rectangle, searched in the hint's document first (a null
    // hint: none); false and out untouched when no entry has it.
    virtual bool getSourceInfo(const std::string& source, const std::string& icon, MMotionSourceInfo& out,
                               const PSBValue& hint);
    virtual void lock() {}
    virtual void unlock() {}
    virtual MMotionRenderManager* getRenderManager() { return nullptr; }

    // Registers the document (checks, sources with their textures, objects)
    // and answers its entry's id; a document already registered gains a
    // reference instead. A null document registers nothing and answers -1.
    int32_t loadMotion(const PSBObject* document);
    // Drops one reference of the entry; the last one gives back the
    // entry's textures and removes it. An unknown id does nothing.
    void releaseMotion(int32_t id);
    // The motion value of object/motion, searched in the hint's document
    // first, then in every other in registration order.
    bool findMotion(const std::string& object, const std::string& motion, PSBValue& out, const PSBValue& hint) const;

    const std::vector<MMotionDataEntry>& motionData() const { return entries_; }
    // What the checks of the last loadMotion composed ("" when they passed).
    const std::string& lastCheckMessage() const { return checkMessage_; }

    float depthSlope() const { return depthSlope_; }
    void setDepthSlope(float slope) { depthSlope_ = slope; }
    float baseAngle() const { return baseAngle_; }
    void setBaseAngle(float degrees) { baseAngle_ = degrees; }
    // Between lock and unlock only.
    MMotionIdPool& layerIds() { return layerIds_; }

private:
    bool findIcon(const MMotionDataEntry& entry, std::string& source, std::string& icon, MMotionSourceInfo& out) const;

    std::vector<MMotionDataEntry> entries_;
    int32_t nextId_ = 0;
    std::string checkMessage_;
    float depthSlope_ = 0.0f;  // screen y of depth z is y + z * slope
    float baseAngle_ = 0.0f;   // added to every direction-list angle
    MMotionIdPool layerIds_;
};
