#pragma once
// The menus driven one act pass of group 13 at a time with the input words
// the test gives, the menu frame stepped as the game main does, what each
// pass drew kept, and "config.txt" in a working folder of the test's own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_ids.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_frame.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"
#include "tests/game/core/game_main_fixture.h"
#include "tests/game/working_folder.h"

struct DrawnEntry {
    int32_t type;
    std::string text;
    float x, y;
    int32_t layer;
    int32_t frameId;
    float alpha;
    int32_t blend;
};

class MenusFixture : public GameMainFixture {
protected:
    static constexpr uint32_t kMenuTag = objTag("MENU");
    static constexpr uint32_t kUp = 0x01, kDown = 0x02, kLeft = 0x04, kRight = 0x08, kButton1 = 0x10;

    void SetUp() override {
        GameMainFixture::SetUp();
        std::filesystem::create_directories(folder.path("root"));
        setAppRootFolder(folder.path("root"));
        for (const SettingKey& key : kSettingKeyTable) gameSettings.*key.setting = key.defaultValue;
        gameSettings.SOUND_OUT = 1;
        menuFrameStartAlt = menuFrameEndAlt = 0;
    }
    void TearDown() override {
        CloseMenuFrame();
        GameMainFixture::TearDown();
        setAppRootFolder("");
    }

    // "config.txt" written from the settings as they are now.
    static void storeSettings() { configSave(); }
    std::string configText() const { return WorkingFolder::read(folder.path("root/config.txt")); }
    bool configHas(const std::string& line) const { return configText().find(line + "\n") != std::string::npos; }

    ObjTask* open(ObjTaskFn act) {
        menu = OBJtaskCreate(act, 13, kMenuTag);
        EXPECT_NE(menu, nullptr);
        pass();
        return menu;
    }
    bool menuOpen() const { return OBJtaskCountByTag(13, kMenuTag) == 1; }

    // One act pass of group 13 with these input words, then the menu frame.
    void pass(uint32_t pressed = 0, uint32_t repeat = 0, uint32_t held = 0) {
        padPressed = pressed;
        padRepeat = repeat;
        padHeld = held;
        OBJdrawRequestsClear();
        spriteTextGlyphCount = 0;
        OBJtaskWalk(13, [](ObjTask* task) {
            if (task->act) task->act(task);
            if ((task->flags & kObjTaskLive) && task->work && task->work->draw) task->work->draw(task, task->work);
        });
        glyphs = spriteTextGlyphCount;
        menuFrameUpdate();
        SDL2_wheel_SoundUpdate();
        drawn.clear();
        for (int i = 0; i < OBJdrawRequestCount(); ++i) {
            const DrawObj* e = OBJdrawStoreEntry(i);
            drawn.push_back({e->type, e->text ? e->text : "", e->x, e->y, e->layer, e->frameId, e->alpha, e->blend});
        }
        OBJdrawSortLayers();
        OBJdrawFlush();
        padPressed = padRepeat = padHeld = 0;
    }
    void passes(int n) {
        for (int i = 0; i < n; ++i) pass();
    }
    // The input lock's 10 frames over.
    void unlock() { passes(10); }
    // Passes until the menu's task is gone; false past the limit.
    bool runOut(int limit = 200) {
        for (int i = 0; i < limit && menuOpen(); ++i) pass();
        return !menuOpen();
    }

    // The bitmap texts drawn by the last pass.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const DrawnEntry& e : drawn) {
            if (e.type == kDrawBitmapText) out.push_back(e.text);
        }
        return out;
    }
    const DrawnEntry* textEntry(const std::string& text) const {
        for (const DrawnEntry& e : drawn) {
            if (e.type == kDrawBitmapText && e.text == text) return &e;
        }
        return nullptr;
    }
    int played(const char* name) const { return int(std::count(sounds.played.begin(), sounds.played.end(), name)); }

    WorkingFolder folder;
    ObjTask* menu = nullptr;
    std::vector<DrawnEntry> drawn;
    int glyphs = 0;
};
