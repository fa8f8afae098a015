// Sound documents and archives made by our writer, read back: voice records
// with their defaults and sample data, the spec and version checks, and the
// keys whose absence is fatal.
#include "engine/sound/sound_document_reader.h"

#include <gtest/gtest.h>

#include "engine/base/win_app_settings.h"
#include "platform/audio/audio.h"
#include "tests/engine/data/psb_document.h"
#include "tools/psbwriter/psb_writer.h"
#include "tools/psbwriter/sound_document.h"

namespace {

using psbwriter::Object;

std::vector<uint8_t> bytes(std::initializer_list<uint8_t> list) { return list; }

std::map<std::string, psbwriter::SoundVoice> voices() {
    psbwriter::SoundVoice plain;
    plain.channels.push_back({1.0f, 1.0f, {psbwriter::pcmFormat(1, 22050, 16), bytes({1, 2, 3, 4}), {}, {}}});
    psbwriter::SoundVoice full;
    full.device = 1;
    full.volume = 0.5f;
    full.pitch = -1.0f;
    full.priority = 3.0f;
    full.group = "BGM";
    full.uniq = "music";
    full.channels.push_back(
        {0.25f, 0.75f, {psbwriter::pcmFormat(2, 44100, 8), bytes({9, 9}), psbwriter::SoundLoop{100, 50}, {}}});
    full.channels.push_back({1.0f, 0.0f, {bytes({0x61, 0x01}), {}, {}, bytes({16, 0, 0, 0})}});
    return {{"plain", plain}, {"full", full}};
}

class SoundDocumentTest : public testing::Test {
protected:
    SoundDocumentTest() { M_SPEC = "win"; }
    ~SoundDocumentTest() override { M_SPEC.clear(); }

    std::unique_ptr<PSBObject> load(const psbwriter::Value& root) { return loadDocument(psbwriter::writePsb(root)); }
};

TEST_F(SoundDocumentTest, VoiceRecordsReadBackWithTheirDefaults) {
    const auto document = load(psbwriter::soundArchive("se", voices()));
    const auto records = readVoiceRecords(document->root());
    ASSERT_EQ(records.size(), 2u);

    const MSoundVoiceRecord& plain = records.at("plain");
    EXPECT_EQ(plain.device, 0u);
    EXPECT_EQ(plain.volume, 1.0f);
    EXPECT_EQ(plain.pitch, 0.0f);
    EXPECT_EQ(plain.priority, 0.0f);
    EXPECT_EQ(plain.group, "");
    EXPECT_EQ(plain.uniqKey, "");
    ASSERT_EQ(plain.channels.size(), 1u);
    const MSoundChannelElement& mono = plain.channels[0];
    EXPECT_EQ(mono.leftLevel, 1.0f);
    EXPECT_EQ(mono.rightLevel, 1.0f);
    const auto format = platform::readAudioFormat(mono.sampleData.format);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->formatTag, 1);
    EXPECT_EQ(format->channels, 1);
    EXPECT_EQ(format->samplesPerSecond, 22050u);
    EXPECT_EQ(format->bytesPerSecond, 44100u);
    EXPECT_EQ(format->blockAlign, 2);
    EXPECT_EQ(format->bitsPerSample, 16);
    EXPECT_EQ(std::vector<uint8_t>(mono.sampleData.data.begin(), mono.sampleData.data.end()), bytes({1, 2, 3, 4}));
    EXPECT_FALSE(mono.sampleData.loop);
    EXPECT_TRUE(mono.sampleData.wmaPacketBytes.empty());

    const MSoundVoiceRecord& full = records.at("full");
    EXPECT_EQ(full.device, 1u);
    EXPECT_EQ(full.volume, 0.5f);
    EXPECT_EQ(full.pitch, -1.0f);
    EXPECT_EQ(full.priority, 3.0f);
    EXPECT_EQ(full.group, "BGM");
    EXPECT_EQ(full.uniqKey, "music");
    ASSERT_EQ(full.channels.size(), 2u);
    EXPECT_EQ(full.channels[0].leftLevel, 0.25f);
    EXPECT_EQ(full.channels[0].rightLevel, 0.75f);
    ASSERT_TRUE(full.channels[0].sampleData.loop);
    EXPECT_EQ(full.channels[0].sampleData.loop->begin, 100u);
    EXPECT_EQ(full.channels[0].sampleData.loop->length, 50u);
    EXPECT_EQ(full.channels[1].rightLevel, 0.0f);
    EXPECT_EQ(full.channels[1].sampleData.format.size(), 2u);
    EXPECT_EQ(full.channels[1].sampleData.wmaPacketBytes.size(), 4u);
}

TEST_F(SoundDocumentTest, TheSoundDocumentListsItsArchives) {
    const auto document = load(psbwriter::soundDocument({"se", "bgm"}));
    std::vector<std::string> labels;
    document->root().get("archive").getKeys(labels);
    EXPECT_EQ(labels, (std::vector<std::string>{"bgm", "se"}));
    EXPECT_EQ(checkSoundFileHeader(document->root()), "");
}

TEST_F(SoundDocumentTest, ASpecOrVersionOfAnotherEngineComposesAWarning) {
    struct Case {
        const char* spec;
        float version;
        const char* file;
        const char* archive;
    };
    const Case cases[] = {
        {"win", 1.02f, "", ""},
        {"win", 1.01f, "sound file '1.01' version is too old. update Tonewright, export sound file again.\n",
         "sound_archive 'se' version is too old. update Tonewright, export sound_archive again.\n"},
        {"win", 1.03f, "sound file '1.03' version is too new. update vantorlib.\n",
         "sound_archive 'se' version is too new. update vantorlib.\n"},
        // A spec of another platform is reported alone, whatever the version.
        {"ps4", 1.5f, "sound file 'ps4' has not adaptive spec of sound file. export win psb again.\n",
         "sound_archive 'se' has not adaptive spec of sound_archive. export psb again.\n"},
    };
    for (const Case& c : cases) {
        const psbwriter::SoundHeader header{c.spec, c.version};
        EXPECT_EQ(checkSoundFileHeader(load(psbwriter::soundDocument({"se"}, header))->root()), c.file);
        EXPECT_EQ(checkSoundArchiveHeader(load(psbwriter::soundArchive("se", {}, header))->root(), "other"),
                  c.archive);
    }
}

TEST_F(SoundDocumentTest, AnArchiveWithoutALabelIsNamedByTheOneItWasLoadedUnder) {
    psbwriter::Value root = psbwriter::soundArchive("se", {}, {"win", 1.03f});
    std::get<Object>(root.data).erase("label");
    EXPECT_EQ(checkSoundArchiveHeader(load(root)->root(), "voice"),
              "sound_archive 'voice' version is too new. update vantorlib.\n");
}

TEST_F(SoundDocumentTest, DocumentsOfAnotherIdAreNotChecked) {
    const auto document = load(Object{{"id", "archive"}});
    EXPECT_EQ(checkSoundFileHeader(document->root()), "");
    EXPECT_EQ(checkSoundArchiveHeader(document->root(), "se"), "");
}

TEST_F(SoundDocumentTest, AMissingRequiredKeyIsFatal) {
    ThrowingPSBFatal throwing;
    using Edit = void (*)(Object& root);
    struct Case {
        const char* key;
        Edit edit;
    };
    static const auto voice = [](Object& root) -> Object& {
        return std::get<Object>(std::get<Object>(root.at("voice").data).at("plain").data);
    };
    static const auto element = [](Object& root) -> Object& {
        return std::get<Object>(std::get<psbwriter::List>(voice(root).at("channelList").data)[0].data);
    };
    const Case cases[] = {
        {"voice", [](Object& root) { root.erase("voice"); }},
        {"device", [](Object& root) { voice(root).erase("device"); }},
        {"channelList", [](Object& root) { voice(root).erase("channelList"); }},
        {"archData", [](Object& root) { element(root).erase("archData"); }},
    };
    for (const Case& c : cases) {
        psbwriter::Value root = psbwriter::soundArchive("se", voices());
        c.edit(std::get<Object>(root.data));
        const auto document = load(root);
        try {
            readVoiceRecords(document->root());
            ADD_FAILURE() << c.key;
        } catch (const PSBFatalError& e) {
            EXPECT_EQ(std::string(e.what()), "psb: undefined object key '" + std::string(c.key) + "' is referenced.");
        }
    }
    for (const char* key : {"spec", "version"}) {
        psbwriter::Value root = psbwriter::soundDocument({"se"});
        std::get<Object>(root.data).erase(key);
        EXPECT_THROW(checkSoundFileHeader(load(root)->root()), PSBFatalError) << key;
    }
}

}  // namespace
