#include "engine/motion/motion_document_check.h"

#include <gtest/gtest.h>

#include <optional>

#include "engine/data/psb_value.h"
#include "tests/engine/motion/motion_fixture.h"

namespace {

namespace mb = psbwriter::motion;

std::string checked(const mb::Document& d, const std::string& engineSpec = "win") {
    return checkMotionDocument(motionfixture::load(d)->root(), engineSpec);
}

struct VersionCase {
    float version;
    const char* message;
};

class MotionVersionCheck : public testing::TestWithParam<VersionCase> {};

TEST_P(MotionVersionCheck, ComposesTheMessageOfItsVersion) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(checked(mb::Document{.label = "enemy", .version = c.version}), c.message);
}

// 3.0301 in single precision lies just past the tolerance.
INSTANTIATE_TEST_SUITE_P(
    Versions, MotionVersionCheck,
    testing::Values(
        VersionCase{3.03f, ""}, VersionCase{3.0299f, ""},
        VersionCase{3.0301f, "motion file 'enemy' version is too new. update vantorlib. (ver: 3.0301 > 3.0300)\n"},
        VersionCase{3.05f, "motion file 'enemy' version is too new. update vantorlib. (ver: 3.0500 > 3.0300)\n"},
        VersionCase{2.9f,
                    "motion file 'enemy' version is too old. update Kinetor, export motion file again. (ver: 2.9000 "
                    "< 3.0300)\n"}));

TEST(MotionDocumentCheck, WithoutVersionTheDocumentIsTooOld) {
    EXPECT_EQ(checked(mb::Document{.label = "enemy", .version = std::nullopt}),
              "motion file 'enemy' version is too old. update Kinetor, export motion file again. (ver: 0.0000 < "
              "3.0300)\n");
}

TEST(MotionDocumentCheck, AnotherSpecSkipsTheVersionCheck) {
    const mb::Document d{.label = "enemy", .spec = "ps3", .version = 1.0f};
    EXPECT_EQ(checked(d), "motion file 'enemy' has not adaptive spec [ps3] of motion file. export psb again.\n");
    EXPECT_EQ(checked(mb::Document{.label = "enemy", .spec = "common"}), "");
    EXPECT_EQ(checked(mb::Document{.label = "enemy", .spec = "ps3"}, "ps3"), "");
}

TEST(MotionDocumentCheck, OtherDocumentsAreNotChecked) {
    EXPECT_EQ(checked(mb::Document{.label = "enemy", .id = "image", .spec = "ps3", .version = 1.0f}), "");
}

TEST(MotionDocumentCheck, MissingSpecIsFatal) {
    ThrowingPSBFatal throwing;
    auto root = std::get<psbwriter::Object>(mb::motionDocument(mb::Document{.label = "enemy"}).data);
    root.erase("spec");
    const auto document = loadDocument(psbwriter::writePsb(root));
    EXPECT_THROW(checkMotionDocument(document->root(), "win"), PSBFatalError);
}

}  // namespace
