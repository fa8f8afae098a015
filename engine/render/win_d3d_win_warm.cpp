// MWinD3DWin's warm-up: draws with no area in the states play will meet, so
// that a software rasteriser, which generates machine code for each new
// combination of program and states at the draw that first uses it (tens of
// milliseconds each), does that on a loader step instead of inside a frame.
#include "engine/render/win_d3d_win.h"

void MWinD3DWin::warmDrawStates(MWinD3DTexture* target, const MDrawWarmState* states, int32_t count) {
    if (!target) target = captureTexture_;
    if (!target || !target->surface || !states) return;
    platform::Device& d = *device_;
    platform::Surface* keptTarget = d.renderTarget();
    const platform::Viewport keptViewport = d.viewport();
    const platform::Rect keptScissor = d.scissorRect();
    const D3DStageCache keptStage = stage0_;
    const int32_t keptVertexShader = vertexShaderIndex_;
    d.setRenderTarget(target->surface);
    // The vertex shader of every frame's start, as resetRenderStates leaves it.
    setVertexShader(0, 0);
    for (int32_t i = 0; i < count; ++i) {
        const MDrawWarmState& s = states[i];
        D3DColouredVertex v[4];
        for (D3DColouredVertex& corner : v) corner = {0.0f, 0.0f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f};
        if (s.texture) {
            drawTexturedQuad(v, s.texture, s.mode, 0.0f, s.colourMode, 0xFFFFFFFF);
        } else {
            drawColorQuad(v);
        }
    }
    if (keptVertexShader >= 0) setVertexShader(keptVertexShader / 2, keptVertexShader % 2);
    restoreStage0(keptStage);
    if (keptTarget) d.setRenderTarget(keptTarget);
    d.setViewport(keptViewport);
    d.setScissorRect(keptScissor);
}
