// The boot loads: the archives are asked for only after the sound document
// is in, and the resources are ready only after the fonts, the document and
// all five archives.
#include "game/core/boot_loads.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FakeClient : BootLoads::Client {
    bool documentLoaded = false;
    bool archivesLoaded = false;
    std::vector<int> followUps;

    bool soundDocumentLoaded() override { return documentLoaded; }
    bool soundArchivesLoaded() override { return archivesLoaded; }
    void followUp(int index) override { followUps.push_back(index); }
};

TEST(BootLoadsTest, ReadyOnlyAfterFontsDocumentAndArchives) {
    BootLoads boot;
    boot.reset();
    FakeClient client;
    boot.poll(client);
    EXPECT_FALSE(boot.ready());
    EXPECT_TRUE(client.followUps.empty());

    client.documentLoaded = true;
    boot.poll(client);
    EXPECT_EQ(client.followUps, std::vector<int>{BootLoads::kSoundDocument});

    boot.fontStatus(1).store(kReadDone);
    boot.fontStatus(0).store(kReadDone);
    boot.poll(client);
    EXPECT_EQ(client.followUps, (std::vector<int>{3, 0, 1}));
    EXPECT_FALSE(boot.ready());

    boot.fontStatus(2).store(kReadDone);
    boot.poll(client);
    EXPECT_FALSE(boot.ready()) << "the archives are still loading";

    client.archivesLoaded = true;
    boot.poll(client);
    EXPECT_TRUE(boot.ready());
    EXPECT_EQ(client.followUps, (std::vector<int>{3, 0, 1, 2, 4}));

    boot.poll(client);
    EXPECT_EQ(client.followUps.size(), 5u) << "each follow-up runs once";
}

TEST(BootLoadsTest, AFailedFontReadKeepsTheResourcesUnready) {
    BootLoads boot;
    boot.reset();
    FakeClient client;
    client.documentLoaded = client.archivesLoaded = true;
    boot.fontStatus(0).store(kReadDone);
    boot.fontStatus(1).store(kReadNotFound);
    boot.fontStatus(2).store(kReadDone);
    for (int frame = 0; frame < 3; ++frame) boot.poll(client);
    EXPECT_FALSE(boot.ready());
    EXPECT_EQ(client.followUps, (std::vector<int>{0, 2, 3, 4}));
}

}  // namespace
