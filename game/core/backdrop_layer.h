#pragma once
// BackdropLayer: draw layer 0, the backdrop round the playfield. It is the
// first thing the screen root draws onto the freshly cleared screen, and
// from one frame to the next it draws the same picture: redrawing it at
// full size costs a software rasteriser tens of milliseconds a frame at
// 1920 x 1080. So the layer draws its picture into a texture of the screen
// target's size only when what it draws changes (its sprites, its place, a
// sheet gone) and otherwise copies that texture whole onto the screen,
// which the device does texel for texel.
//
// The picture is kept only while the layer holds its sprite layer alone
// (a motion played on layer 0 changes every frame) and the screen target
// is opaque (X8R8G8B8) and drawn whole (viewport and scissor): otherwise
// the layer draws as any other.
//
// Threads: main thread only (the draw phase).

#include <cstdint>
#include <vector>

#include "engine/render/camera_2d.h"
#include "game/core/sprite_draw_task.h"

struct MWinD3DTexture;

class BackdropLayer final : public M2DCameraLocator {
public:
    // Takes the sprite layer as its one child.
    explicit BackdropLayer(SpriteDrawTask* sprites);
    ~BackdropLayer() override;
    BackdropLayer(const BackdropLayer&) = delete;
    BackdropLayer& operator=(const BackdropLayer&) = delete;

    void draw(int pass) override;
    // A sheet is going away: its address may come back for another sheet,
    // so the picture is drawn again at the next frame.
    void forgetPicture() { pictureValid_ = false; }
    // How many times the picture was drawn into its texture.
    int32_t pictureDraws() const { return pictureDraws_; }

private:
    // The place and the sprites that make the picture.
    struct Content {
        float place[11] = {};
        std::vector<SpriteDrawTask::Slot> slots;
    };
    void readContent(Content& content) const;
    static bool sameContent(const Content& a, const Content& b);
    // Whether the screen target is one the kept picture can be copied onto.
    bool keepable() const;
    void drawPicture(int pass);

    SpriteDrawTask* sprites_;
    MWinD3DTexture* picture_ = nullptr;
    Content kept_;
    Content current_;
    bool pictureValid_ = false;
    bool drawingPicture_ = false;
    int32_t pictureDraws_ = 0;
};
