// What a captured view hands the device, over the recording device: the
// alpha of a plain copy and the mask's constants.
#include "engine/render/capture_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/render/psb_texture.h"
#include "engine/render/win_d3d_win.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

class CaptureViewTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        capture = std::make_unique<MCapture>();
        capture->setFixedSize(64, 32);
        capture->setCapturedRect({0, 0, 64, 32});
        capture->draw(0);
        ASSERT_NE(capture->texture(), nullptr);
        device->clearRecord();
    }
    void TearDown() override {
        capture.reset();
        RecordingDisplayTest::TearDown();
    }
    std::unique_ptr<MCapture> capture;
};

TEST_F(CaptureViewTest, APlainCopyCarriesTheTruncatedAlpha) {
    MCaptured captured(capture.get());
    captured.alpha = 127.5f;
    captured.draw(0);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 1u);
    uint32_t colour = 0;
    std::memcpy(&colour, draws[0].vertices.data() + 12, 4);
    EXPECT_EQ(colour, 0x7FFFFFFFu);
}

TEST_F(CaptureViewTest, AMaskWithNoVaguenessDissolvesWithAFiniteEdge) {
    MPSBTexture mask;
    mask.width = mask.height = 32;
    mask.texture = display->d3dWin()->createTexture(32, 32, platform::PixelFormat::A8R8G8B8, false, 1);
    MCaptured captured(capture.get());
    captured.mask = &mask;
    captured.maskRect = {0, 0, 16, 32};
    captured.maskRepeatX = 2.0f;
    captured.alpha = 0.0f;
    captured.maskWords[0] = 5;
    captured.maskWords[1] = 6;
    captured.draw(0);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].pixelConstants[0], 256.0f / 255.0f);  // phase: (1 - 0) x (1 + 255) / 255
    EXPECT_FLOAT_EQ(draws[0].pixelConstants[4], 255.0f);   // invVague with vagueness taken as 1
    EXPECT_TRUE(std::isfinite(draws[0].pixelConstants[4]));
    EXPECT_FLOAT_EQ(draws[0].vertexFloat(2 * 8 + 6), 1.0f);  // second u at the right: 16 / 32 * 2
    EXPECT_EQ(mask.callerWords[0], 1);
    EXPECT_EQ(mask.callerWords[3], 6);
    mask.texture = nullptr;
}

}  // namespace
