// Sound documents and archives written by our writer, loaded from disk
// through the file reader into MSound, played by name and unloaded: the
// load tasks, the warnings of another spec or version, failed reads,
// cancelled loads, and an unload that waits for a stopping sound. The
// background queues hook into one looper, so the whole binary shares one.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "engine/app/disk_application_driver.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/file_read_task.h"
#include "engine/data/search_directories.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_config.h"
#include "engine/sound/sound_load_task.h"
#include "engine/task/looper.h"
#include "tests/engine/sound/fake_audio_engine.h"
#include "tests/support/looper_environment.h"
#include "tests/support/temp_dir.h"
#include "tools/psbwriter/psb_writer.h"
#include "tools/psbwriter/sound_document.h"

namespace {

const std::vector<uint8_t> kShotSamples = {1, 0, 2, 0, 3, 0, 4, 0};

psbwriter::SoundVoice voice(uint32_t device, std::string group, std::vector<uint8_t> samples) {
    psbwriter::SoundVoice v;
    v.device = device;
    v.group = std::move(group);
    v.channels.push_back({1.0f, 1.0f, {psbwriter::pcmFormat(1, 1000, 16), std::move(samples), {}, {}}});
    return v;
}

// A read task whose read ends only when the gate opens, giving `bytes`.
class GatedReadTask final : public MFileReadTask {
public:
    GatedReadTask(const std::vector<uint8_t>& bytes, std::atomic<bool>& started, std::atomic<bool>& open)
        : bytes_(bytes), started_(started), open_(open) {}
    ~GatedReadTask() override { stopCompletion(); }

protected:
    void ReadRequest(MFileReadRequest&) override { started_ = true; }
    bool finishRead(uint8_t*& bytes, size_t& size) override {
        while (!open_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        bytes = static_cast<uint8_t*>(std::malloc(bytes_.size()));
        std::memcpy(bytes, bytes_.data(), bytes_.size());
        size = bytes_.size();
        return true;
    }
    bool isContainer(const uint8_t*, size_t) override { return false; }
    int inflate(const uint8_t*, size_t, uint8_t*&, size_t&, uint32_t) override { return kInflateBroken; }

private:
    const std::vector<uint8_t>& bytes_;
    std::atomic<bool>& started_;
    std::atomic<bool>& open_;
};

class GatedDriver final : public MApplicationDriver {
public:
    explicit GatedDriver(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    MFileReadTask* createReadTask() override { return new GatedReadTask(bytes_, started, open); }

    std::atomic<bool> started{false};
    std::atomic<bool> open{false};

private:
    std::vector<uint8_t> bytes_;
};

class SoundLoadingTest : public testing::Test {
protected:
    SoundLoadingTest()
        : driver_(new MDiskApplicationDriver("sound test", nullptr, new MParallelTaskSet)),
          engine_(new FakeAudioEngine),
          sound_(std::unique_ptr<platform::AudioEngine>(engine_)) {
        M_SPEC = "win";
        clearSearchDirectories();
        setPrimarySearchDirectory(dir_.str());
        write("snd/sound.psb", psbwriter::soundDocument({"se", "bgm", "gone"}));
        write("snd/se.psb", psbwriter::soundArchive("se", {{"shot", voice(0, "CH00", kShotSamples)}}));
        write("snd/bgm.psb", psbwriter::soundArchive("bgm", {{"theme", voice(1, "BGM", {0, 0, 0, 0})}}));
    }
    ~SoundLoadingTest() override {
        clearSearchDirectories();
        M_SPEC.clear();
    }

    void write(const std::string& name, const psbwriter::Value& root) {
        const std::vector<uint8_t> bytes = psbwriter::writePsb(root);
        dir_.write(name, std::string(bytes.begin(), bytes.end()));
    }

    // Frames of the caller's tasks and the post-loop phase (the sound's own
    // step, and the wake-up of the background threads) until `done`; false
    // after five seconds.
    template <class Done>
    bool runUntil(Done done) {
        return runFramesUntil(owner_, done);
    }

    // Runs a load task to its end.
    bool runTaskToEnd(MTask* task) {
        owner_.add(task);
        return runUntil([this] { return owner_.isEmpty(); });
    }

    bool loadAll(const std::string& document, std::initializer_list<const char*> labels) {
        if (!runTaskToEnd(new MSoundLoadTask(document))) return false;
        for (const char* label : labels)
            if (!runTaskToEnd(new MSoundLoadArchiveTask(label))) return false;
        return true;
    }

    const MSound::SoundConfig& config(const std::string& name = "snd/sound.psb") const {
        return *sound_.findSoundConfig(name);
    }

    TempDir dir_;
    std::unique_ptr<MDiskApplicationDriver> driver_;
    FakeAudioEngine* engine_;
    MSound sound_;
    MParallelTaskSet owner_;
};

TEST_F(SoundLoadingTest, ArchivesLoadPlayByNameAndUnload) {
    ASSERT_TRUE(loadAll("snd/sound.psb", {"se", "bgm"}));
    EXPECT_TRUE(config().loaded());
    EXPECT_EQ(config().warning(), "");
    EXPECT_EQ(config().archive("se")->fileName(), "snd/se.psb");
    EXPECT_TRUE(sound_.isLoaded("se"));
    EXPECT_TRUE(sound_.isLoaded("bgm"));

    const int32_t shot = sound_.play("se", "shot", nullptr);
    ASSERT_NE(shot, -1);
    FakeVoice* voice = engine_->voices.back().get();
    EXPECT_TRUE(voice->running);
    EXPECT_EQ(voice->format.samplesPerSecond, 1000u);
    ASSERT_EQ(voice->buffers.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(voice->buffers[0].data.begin(), voice->buffers[0].data.end()), kShotSamples);
    EXPECT_NE(sound_.play("", "theme", nullptr), -1);
    EXPECT_EQ(sound_.findSound("bgm", "theme"), shot + 1);

    sound_.unloadArchive("se");
    EXPECT_FALSE(voice->running);
    EXPECT_EQ(sound_.findSound("se", "shot"), -1);
    EXPECT_FALSE(sound_.isLoaded("se"));
    EXPECT_EQ(config().archive("se"), nullptr);
    EXPECT_EQ(config().releasedArchives(), 0u);
    EXPECT_EQ(sound_.play("se", "shot", nullptr), -1);
    EXPECT_NE(sound_.findSound("bgm", "theme"), -1);  // the other archive plays on

    ASSERT_TRUE(runTaskToEnd(new MSoundLoadArchiveTask("se")));  // and it can come back
    EXPECT_NE(sound_.play("se", "shot", nullptr), -1);
}

TEST_F(SoundLoadingTest, AnUnloadedArchiveWaitsForItsStoppingSound) {
    ASSERT_TRUE(loadAll("snd/sound.psb", {"se"}));
    engine_->reportsEnds = false;  // the voice reports its end only when told
    ASSERT_NE(sound_.play("se", "shot", nullptr), -1);
    FakeVoice* voice = engine_->voices.back().get();

    sound_.unloadArchive("se");
    EXPECT_FALSE(voice->running);
    EXPECT_FALSE(sound_.isLoaded("se"));
    EXPECT_EQ(config().releasedArchives(), 1u);
    runTask(&testLooper()->getPostLoopPhase());
    EXPECT_EQ(config().releasedArchives(), 1u);

    voice->finish();
    runTask(&testLooper()->getPostLoopPhase());
    EXPECT_EQ(config().releasedArchives(), 0u);
}

TEST_F(SoundLoadingTest, AnotherSpecOrVersionIsWarnedOfAndLoadedAllTheSame) {
    write("old/sound.psb", psbwriter::soundDocument({"se"}, {"win", 1.01f}));
    write("old/se.psb", psbwriter::soundArchive("se", {{"shot", voice(0, "", kShotSamples)}}, {"ps4", 1.02f}));
    ASSERT_TRUE(loadAll("old/sound.psb", {"se"}));
    EXPECT_EQ(config("old/sound.psb").warning(),
              "sound file '1.01' version is too old. update Tonewright, export sound file again.\n");
    EXPECT_EQ(config("old/sound.psb").archive("se")->warning(),
              "sound_archive 'se' has not adaptive spec of sound_archive. export psb again.\n");
    EXPECT_NE(sound_.play("se", "shot", nullptr), -1);
}

TEST_F(SoundLoadingTest, AFailedReadLeavesNothingLoaded) {
    ASSERT_TRUE(loadAll("snd/sound.psb", {"gone", "unlisted"}));
    EXPECT_FALSE(sound_.isLoaded("gone"));
    EXPECT_EQ(config().archive("gone"), nullptr);
    EXPECT_EQ(config().archive("unlisted"), nullptr);
    EXPECT_EQ(sound_.play("gone", "shot", nullptr), -1);

    // A missing document counts as loaded, listing nothing.
    ASSERT_TRUE(runTaskToEnd(new MSoundLoadTask("none/sound.psb")));
    EXPECT_TRUE(config("none/sound.psb").loaded());
    EXPECT_FALSE(config("none/sound.psb").listsArchive("se"));
}

TEST_F(SoundLoadingTest, ADocumentIsLoadedOnceAndItsArchivesSitBesideIt) {
    write("sound.psb", psbwriter::soundDocument({"se"}));
    write("se.psb", psbwriter::soundArchive("se", {{"shot", voice(0, "", kShotSamples)}}));
    sound_.loadSoundFile("sound.psb");
    const MSound::SoundConfig* first = sound_.findSoundConfig("sound.psb");
    sound_.loadSoundFile("sound.psb");
    EXPECT_EQ(sound_.findSoundConfig("sound.psb"), first);
    ASSERT_TRUE(loadAll("sound.psb", {"se"}));
    // No directory: the archive is "/se.psb", looked for in the search directories.
    EXPECT_EQ(first->archive("se")->fileName(), "/se.psb");
    EXPECT_TRUE(sound_.isLoaded("se"));
}

TEST_F(SoundLoadingTest, AnArchiveUnloadedWhileLoadingIsCancelled) {
    ASSERT_TRUE(loadAll("snd/sound.psb", {}));
    // Before its read has started, and once its read task has the request
    // (withdrawn, or let finish unheard if the read is already under way).
    sound_.loadArchive("se");
    sound_.unloadArchive("se");
    EXPECT_EQ(config().releasedArchives(), 1u);
    sound_.loadArchive("bgm");
    runTask(&testLooper()->getPostLoopPhase());
    sound_.unloadArchive("bgm");
    EXPECT_EQ(config().archive("bgm"), nullptr);
    ASSERT_TRUE(runUntil([this] { return config().releasedArchives() == 0; }));
    EXPECT_FALSE(sound_.isLoaded("se"));
    EXPECT_FALSE(sound_.isLoaded("bgm"));
    EXPECT_EQ(sound_.play("", "theme", nullptr), -1);
}

// The read cannot be withdrawn once it is under way: it is let finish, and
// what it read is dropped with the archive.
TEST_F(SoundLoadingTest, AReadUnderWayWhenItsArchiveIsUnloadedIsDropped) {
    ASSERT_TRUE(loadAll("snd/sound.psb", {}));
    GatedDriver gated(psbwriter::writePsb(psbwriter::soundArchive("se", {{"shot", voice(0, "", kShotSamples)}})));
    sound_.loadArchive("se");
    ASSERT_TRUE(runUntil([&gated] { return gated.started.load(); }));
    sound_.unloadArchive("se");
    EXPECT_EQ(config().releasedArchives(), 1u);
    gated.open = true;
    ASSERT_TRUE(runUntil([this] { return config().releasedArchives() == 0; }));
    EXPECT_FALSE(sound_.isLoaded("se"));
    EXPECT_EQ(sound_.play("se", "shot", nullptr), -1);
}

}  // namespace
