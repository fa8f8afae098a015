#include "tools/psbwriter/json_description.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "tests/support/temp_dir.h"

namespace {

std::unique_ptr<PSBObject> load(const std::vector<uint8_t>& bytes) {
    auto* copy = static_cast<uint8_t*>(std::malloc(bytes.size()));
    std::memcpy(copy, bytes.data(), bytes.size());
    return std::make_unique<PSBObject>(copy, bytes.size());
}

std::vector<uint8_t> build(const std::string& json, const std::string& folder = "") {
    const psbwriter::Description d = psbwriter::parseDescription(json, folder);
    return psbwriter::writePsb(d.root, d.options);
}

const char kEveryKind[] = R"({"version": 4, "flags": 3, "root": {
    "null": null, "yes": true, "no": false, "int": -5, "big": 5000000000, "double": 0.25,
    "whole double": {"$double": 2}, "float": {"$float": 1.5}, "nan": {"$float": "nan"},
    "negative zero": {"$double": "-0"}, "text": "t\u00e9", "list": [1, [2, []], {}],
    "resource": {"$resource": "AQID"}, "extra": {"$extraResource": "BA=="},
    "tagged": {"$object": {"$float": "not a tag"}}}})";

TEST(JsonDescriptionTest, ReadsEveryKind) {
    const auto doc = load(build(kEveryKind));
    EXPECT_EQ(doc->version(), 4);
    EXPECT_EQ(doc->flags(), 3);
    const PSBValue root = doc->root();
    EXPECT_EQ(root["null"].getType(), kPSBNull);
    EXPECT_TRUE(root["yes"].toBool());
    EXPECT_EQ(root["int"].toInt(), -5);
    EXPECT_EQ(root["big"].toLong(), 5000000000);
    EXPECT_EQ(root["double"].kind(), PSBKind::Double);
    EXPECT_EQ(root["whole double"].kind(), PSBKind::Double);
    EXPECT_EQ(root["float"].kind(), PSBKind::Float);
    EXPECT_TRUE(std::isnan(root["nan"].toFloat()));
    EXPECT_TRUE(std::signbit(root["negative zero"].toDouble()));
    EXPECT_STREQ(root["text"].toString(), "t\xc3\xa9");
    EXPECT_EQ(root["list"].at(1).at(1).getCount(), 0u);
    ASSERT_EQ(root["resource"].getResourceSize(), 3u);
    EXPECT_EQ(root["resource"].getResourceData()[2], 3);
    EXPECT_EQ(root["extra"].kind(), PSBKind::ExtraResource);
    EXPECT_EQ(root["extra"].getResourceData()[0], 4);
    EXPECT_STREQ(root["tagged"]["$float"].toString(), "not a tag");
}

TEST(JsonDescriptionTest, DumpBuildsBackToTheSameDocument) {
    const auto first = build(kEveryKind);
    const std::string dumped = psbwriter::describeDocument(*load(first));
    EXPECT_EQ(build(dumped), first) << dumped;
}

TEST(JsonDescriptionTest, ReadsResourceFilesBesideTheDescription) {
    const TempDir folder;
    folder.write("bytes.bin", "abc");
    const auto doc = load(build(R"({"root": {"$resourceFile": "bytes.bin"}})", folder.str()));
    EXPECT_EQ(doc->version(), 3);
    ASSERT_EQ(doc->root().getResourceSize(), 3u);
    EXPECT_EQ(doc->root().getResourceData()[1], 'b');
}

TEST(JsonDescriptionTest, RejectsBadDescriptions) {
    for (const char* json : {"", "[1]", "{}", R"({"root": {"$nope": 1}})", R"({"root": {"$resource": "A"}})",
                             R"({"root": {"$resource": "!!!!"}})", R"({"root": {"$float": "x"}})",
                             R"({"version": 70000, "root": 1})", R"({"root": {"$resourceFile": "/no/such/file"}})",
                             R"({"root": {"$resource": 5}})"}) {
        EXPECT_THROW(psbwriter::parseDescription(json, ""), psbwriter::DescriptionError) << json;
    }
}

}  // namespace
