#pragma once
// A stand-in cabinet of the test's settings, without live controls, and the
// game-server front removed again after the test.

#include <gtest/gtest.h>

#include <memory>

#include "game/records/abaas_gs.h"
#include "platform/arcade/cabinet.h"
#include "tests/support/temp_dir.h"

class GsFrontFixture : public testing::Test {
protected:
    void TearDown() override {
        AbaasGs::destroy();
        arcade::installCabinet(nullptr);
    }

    void installCabinet() {
        settings.appRoot = dir.str() + "/root/";
        auto made = std::make_unique<arcade::Cabinet>(settings);
        made->liveControls = false;
        arcade::installCabinet(std::move(made));
    }

    TempDir dir;
    arcade::CabinetSettings settings;
};
