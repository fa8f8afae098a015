#include "engine/app/disk_application_driver.h"

#include <gtest/gtest.h>

#include "engine/ui/dialog_factory.h"

namespace {

struct Events {
    bool factoryDeleted = false;
    bool rootSawFactory = false;
};

class CountedFactory : public MDialogFactory {
public:
    explicit CountedFactory(Events& events) : events_(events) {}
    ~CountedFactory() override { events_.factoryDeleted = true; }
    MProcess* createSignalWaitDialog(const std::string&, uint8_t*) override { return nullptr; }
    MProcess* createNoticeDialog(const std::string&, const std::string&) override { return nullptr; }
    MProcess* createYesNoDialog(const std::string&, const std::string&, const std::string&, int32_t*) override {
        return nullptr;
    }
    MProcess* createChoiceDialog(const std::string&, const std::vector<std::string>&, int32_t*) override {
        return nullptr;
    }

private:
    Events& events_;
};

// A root task that looks for the driver's factory as it goes, as a dialog's
// owner would.
class Root : public MTask {
public:
    explicit Root(Events& events) : events_(events) {}
    ~Root() override {
        MApplicationDriver* driver = MApplicationDriver::getInstance();
        events_.rootSawFactory = driver && driver->getDialogFactory() && !events_.factoryDeleted;
    }
    void update() override {}

private:
    Events& events_;
};

TEST(DiskApplicationDriverTest, HandsOutTheFactoryItOwns) {
    Events events;
    auto* factory = new CountedFactory(events);
    {
        MDiskApplicationDriver driver("driver test", factory, new Root(events));
        EXPECT_EQ(driver.name(), "driver test");
        EXPECT_EQ(driver.getDialogFactory(), factory);
        ASSERT_EQ(MApplicationDriver::getInstance(), &driver);
        EXPECT_EQ(MApplicationDriver::getInstance()->getDialogFactory(), factory);
    }
    EXPECT_TRUE(events.rootSawFactory);
    EXPECT_TRUE(events.factoryDeleted);
}

TEST(DiskApplicationDriverTest, RunsWithoutAFactory) {
    MDiskApplicationDriver driver("driver test", nullptr, new MParallelTaskSet);
    EXPECT_EQ(driver.getDialogFactory(), nullptr);
}

}  // namespace
