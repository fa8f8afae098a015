#pragma once
// MMotionLayer: the motion manager of one draw layer of the game. It owns the
// motion files' registrations, their textures (a table of slots that grows by
// doubling and reuses released slots) and the capture views, gives the
// players of its motions their frame delta and random numbers, and at its
// draw sorts the render items the motions queued earlier in the same frame
// and renders them.
//
// Threads: made, drawn and destroyed on the main thread; textures are loaded
// and released there too. The players of its motions call random, lock,
// unlock, getFrameDelta and getSourceInfo from worker threads: random takes
// the layer's mutex itself, lock/unlock hand the same mutex to callers, and
// the others only read what the main thread set up before the players ran.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/data/mersenne_twister.h"
#include "engine/motion/motion_manager.h"
#include "engine/motion/motion_texture.h"
#include "engine/task/task.h"

class MCapture;
class MCaptured;

// A colour hook bends the corner colours of every mesh the layer draws.
class MMotionColorHook {
public:
    virtual ~MMotionColorHook() = default;
    virtual uint32_t apply(float x, float y, uint32_t rgba) = 0;
};

// What a source replacement answers in place of a motion file's icon.
struct MMotionSourceReplacement {
    int32_t texture = 0;  // slot in the layer's texture table
    int32_t width = 0;
    int32_t height = 0;
    float originX = 0.0f;
    float originY = 0.0f;
};

class MMotionLayer : public MTask, public MMotionManager {
public:
    static constexpr size_t kInitialTextureSlots = 8;

    MMotionLayer();
    ~MMotionLayer() override;

    void update() override {}
    // Sorts and renders the queued items, then takes the capture a motion
    // asked for.
    void draw(int pass) override;

    int32_t loadTexture(const PSBValue& image, bool shareable) override;
    // Queues the texture's draw states on its window, to be warmed before play draws them.
    void warmTexture(int32_t slot, const std::vector<uint32_t>& drawModes) override;
    void releaseTexture(int32_t slot) override;
    float getFrameDelta() override;
    float random() override;
    bool getSourceInfo(const std::string& source, const std::string& icon, MMotionSourceInfo& out,
                       const PSBValue& hint) override;
    void lock() override { mutex_.lock(); }
    void unlock() override { mutex_.unlock(); }
    void render() override;

    // A motion with feedback content asks for the picture drawn so far; the
    // layer's next draw takes it.
    virtual void requestCapture() { captureRequested_ = 1; }
    // True from a draw that captured until the next draw that did not.
    virtual bool isCaptured() const { return captured_ != 0; }
    // The capture as a source (slot kCaptureTexture, centred origin); out is
    // untouched while nothing is captured. attr and resolution stay as given.
    virtual void getCaptureSourceInfo(MMotionSourceInfo& out);

    // Answers (source, icon) with the texture instead of the motion files'
    // icon. The record stays the caller's: it takes a slot of the table, and
    // the layer never destroys it (don't release that slot). Answers the slot.
    int32_t replaceSource(const std::string& source, const std::string& icon, MMotionTexture* record, int32_t width,
                          int32_t height, float originX, float originY);

    // Sets the sampling filters of the layer and of every texture it holds.
    void setFilterSelectors(int32_t minFilter, int32_t magFilter);
    int32_t minFilter() const { return minFilter_; }
    int32_t magFilter() const { return magFilter_; }
    // Every mesh of the layer drawn with this mode and effect parameter; -1
    // draws each with its own.
    void setOverrideDrawMode(int32_t mode, float effectParameter) {
        overrideDrawMode_ = mode;
        overrideEffectParameter_ = effectParameter;
    }
    int32_t overrideDrawMode() const { return overrideDrawMode_; }
    float overrideEffectParameter() const { return overrideEffectParameter_; }
    // Narrows a stencil composite's scissor to the bounds of its group.
    void setMaskBounds(bool on) { maskBounds_ = on ? 1 : 0; }
    bool maskBounds() const { return maskBounds_ != 0; }

    // The record in a slot; null for a free slot or an index out of range.
    MMotionTexture* texture(int32_t slot) const;
    size_t textureSlotCount() const { return textures_.size(); }
    MCapture* captureView() const { return capture_.get(); }
    MCaptured* capturedView() const { return capturedView_.get(); }
    // Applied in order to every mesh corner colour; not owned.
    std::vector<std::pair<uint32_t, MMotionColorHook*>>& colorHooks() { return colorHooks_; }
    // Scratch for the vertex colours of one mesh draw, kept between draws.
    std::vector<uint32_t>& vertexColorScratch() { return vertexColors_; }

private:
    int32_t takeSlot(MMotionTexture* record);
    void capture();

    std::vector<MMotionTexture*> textures_;
    std::map<std::string, MMotionSourceReplacement> replacements_;
    std::vector<std::pair<uint32_t, MMotionColorHook*>> colorHooks_;
    int32_t minFilter_ = 0;
    int32_t magFilter_ = 0;
    uint8_t captureRequested_ = 0;
    uint8_t captured_ = 0;
    std::unique_ptr<MCapture> capture_;
    std::unique_ptr<MCaptured> capturedView_;
    std::vector<uint32_t> vertexColors_;
    uint8_t maskBounds_ = 0;
    std::unique_ptr<MTGenerator> generator_;  // seeded on first use
    int32_t overrideDrawMode_ = -1;
    float overrideEffectParameter_ = 0.0f;
    std::recursive_mutex mutex_;  // a player may take it again while holding it
};

// The frame delta of a loop running with the given steps: a fractional step,
// but never below one frame, or the whole step.
float motionFrameDelta(bool fractionalStep, float fractional, uint32_t whole);
// A generator output as a number in [0, 1) in steps of 2^-23 (its low 23 bits).
float motionRandomFloat(uint32_t bits);
