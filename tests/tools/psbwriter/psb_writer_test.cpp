#include "tools/psbwriter/psb_writer.h"

#include <gtest/gtest.h>

namespace {

using psbwriter::List;
using psbwriter::Object;
using psbwriter::Value;
using psbwriter::WriteOptions;

uint32_t field(const std::vector<uint8_t>& doc, size_t at) {
    return doc[at] | doc[at + 1] << 8 | doc[at + 2] << 16 | uint32_t(doc[at + 3]) << 24;
}

std::vector<uint8_t> rootBytes(const Value& value, WriteOptions options = {}) {
    const auto doc = psbwriter::writePsb(value, options);
    return std::vector<uint8_t>(doc.begin() + field(doc, 36), doc.begin() + field(doc, 32));
}

TEST(PsbWriterTest, EncodesScalarsInTheirShortestForm) {
    struct Case {
        Value value;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {Value(), {1}},
        {true, {2}},
        {false, {3}},
        {0, {4}},
        {-1, {5, 0xFF}},
        {128, {6, 0x80, 0x00}},
        {int64_t(1) << 32, {9, 0, 0, 0, 0, 1}},
        {0.0f, {29}},
        {-0.0f, {30, 0, 0, 0, 0x80}},
        {1.0, {31, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
        {"s", {21, 0}},
        {List{}, {32, 13, 0, 13}},
        {List{7, 8}, {32, 13, 2, 13, 0, 2, 5, 7, 5, 8}},
    };
    for (const Case& c : cases) EXPECT_EQ(rootBytes(c.value), c.bytes);
    EXPECT_EQ(rootBytes("s", WriteOptions{3, 0, 3}), (std::vector<uint8_t>{23, 0, 0, 0}));
}

TEST(PsbWriterTest, WritesObjectsByAscendingNameIndex) {
    const Object object{{"b", 2}, {"a", 1}};
    EXPECT_EQ(rootBytes(object), (std::vector<uint8_t>{33, 13, 2, 13, 0, 1, 13, 2, 13, 0, 2, 5, 1, 5, 2}));
    // Version 1: each entry is led by its name index.
    EXPECT_EQ(rootBytes(object, WriteOptions{1}), (std::vector<uint8_t>{33, 13, 2, 13, 0, 4, 17, 0, 5, 1, 17, 1, 5, 2}));
}

TEST(PsbWriterTest, HeaderSizeAndSignatureFollowTheVersion) {
    for (const auto& [version, size] : {std::pair{1, 40}, {2, 40}, {3, 44}, {4, 56}, {7, 56}}) {
        const auto doc = psbwriter::writePsb(Value(), WriteOptions{uint16_t(version), 9});
        EXPECT_EQ(std::string(doc.begin(), doc.begin() + 4), std::string("PSB\0", 4));
        EXPECT_EQ(doc[4], version);
        EXPECT_EQ(doc[6], version > 2 ? 9 : 0);
        EXPECT_EQ(field(doc, 36) + 1, field(doc, 32));  // the root follows the tables
        EXPECT_GE(field(doc, 16), uint32_t(size));
    }
}

TEST(PsbWriterTest, RefusesWhatTheFormatCannotHold) {
    EXPECT_THROW(psbwriter::writePsb(psbwriter::Resource{{1}, true}, WriteOptions{3}), psbwriter::WriteError);
    EXPECT_THROW(psbwriter::writePsb(std::string("a\0b", 3)), psbwriter::WriteError);
    EXPECT_THROW(psbwriter::writePsb(Object{{std::string("\0", 1), 1}}), psbwriter::WriteError);
    EXPECT_THROW(psbwriter::writePsb(Value(), WriteOptions{3, 0, 5}), psbwriter::WriteError);
}

}  // namespace
