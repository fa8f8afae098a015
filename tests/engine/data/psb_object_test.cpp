#include "engine/data/psb_object.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <cstring>
#include <limits>
#include <set>
#include <tuple>

#include "engine/data/psb_value.h"
#include "tests/engine/data/psb_document.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

using psbwriter::List;
using psbwriter::Object;
using psbwriter::Resource;
using psbwriter::Value;
using psbwriter::WriteOptions;

template <typename T>
bool sameBits(T a, T b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Compares a read value with the tree it was written from, and records the
// type bytes met on the way.
void expectSame(const Value& expected, const PSBValue& actual, std::set<uint8_t>& types) {
    types.insert(*actual.pointer());
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                EXPECT_EQ(actual.getType(), kPSBNull);
            } else if constexpr (std::is_same_v<T, bool>) {
                EXPECT_EQ(actual.getType(), kPSBBool);
                EXPECT_EQ(actual.toBool(), v);
            } else if constexpr (std::is_same_v<T, int64_t>) {
                EXPECT_EQ(actual.getType(), kPSBInteger);
                EXPECT_EQ(actual.toLong(), v);
                EXPECT_EQ(actual.toInt(), int32_t(uint32_t(uint64_t(v))));
            } else if constexpr (std::is_same_v<T, float>) {
                EXPECT_EQ(actual.kind(), PSBKind::Float);
                EXPECT_TRUE(sameBits(actual.toFloat(), v)) << v;
            } else if constexpr (std::is_same_v<T, double>) {
                EXPECT_EQ(actual.kind(), PSBKind::Double);
                EXPECT_TRUE(sameBits(actual.toDouble(), v)) << v;
            } else if constexpr (std::is_same_v<T, std::string>) {
                EXPECT_EQ(actual.getType(), kPSBString);
                EXPECT_STREQ(actual.toString(), v.c_str());
            } else if constexpr (std::is_same_v<T, Resource>) {
                EXPECT_EQ(actual.getType(), kPSBResource);
                EXPECT_EQ(actual.kind(), v.extra ? PSBKind::ExtraResource : PSBKind::Resource);
                ASSERT_EQ(actual.getResourceSize(), v.bytes.size());
                if (!v.bytes.empty()) {
                    EXPECT_EQ(std::memcmp(actual.getResourceData(), v.bytes.data(), v.bytes.size()), 0);
                }
            } else if constexpr (std::is_same_v<T, List>) {
                EXPECT_EQ(actual.getType(), kPSBList);
                ASSERT_EQ(actual.getCount(), v.size());
                for (uint32_t i = 0; i < v.size(); ++i) expectSame(v[i], actual.at(i), types);
            } else {
                EXPECT_EQ(actual.getType(), kPSBObject);
                std::vector<std::string> keys;
                actual.getKeys(keys);
                std::vector<std::string> wanted;
                for (const auto& [key, value] : v) wanted.push_back(key);
                EXPECT_EQ(keys, wanted);
                for (const auto& [key, value] : v) expectSame(value, actual.get(key), types);
            }
        },
        expected.data);
}

Value everyType(bool extras) {
    const List integers{int64_t(0), int64_t(1), int64_t(-1), int64_t(127), int64_t(-128), int64_t(0x7FFF),
                      int64_t(-0x8000), int64_t(0x7FFFFF), int64_t(0x12345678), int64_t(-0x80000000LL),
                      int64_t(1) << 32, int64_t(1) << 40, int64_t(1) << 48, int64_t(0x123456789ABCDEF0),
                      std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()};
    List floats{0.0f, -0.0f, 1.5f, -3.25e-20f, std::numeric_limits<float>::infinity(), 0.0, 2.5e300, -1.0};
    Object object;
    object["null"] = Value();
    object["true"] = true;
    object["false"] = false;
    object["integers"] = integers;
    object["floats"] = floats;
    object["text"] = "hello";
    object["same text"] = "hello";
    object["empty text"] = "";
    object["utf8 \xc3\xa9"] = "\xe6\x97\xa5\xe6\x9c\xac";
    object["resource"] = Resource{{1, 2, 3, 4, 5}};
    object["empty resource"] = Resource{};
    object["empty list"] = List{};
    object["empty object"] = Object{};
    Object inner;
    inner["a"] = List{1, "b"};
    object["nested"] = List{List{inner}};
    if (extras) {
        object.emplace("extra", Resource{{9, 8, 7}, true});
        object.emplace("extra2", Resource{{6}, true});
    }
    return object;
}

TEST(PSBObjectTest, RoundTripsEveryTypeInEveryVersionAndIndexWidth) {
    std::set<uint8_t> types;
    for (uint16_t version : {0, 1, 2, 3, 4, 5}) {
        for (uint32_t indexBytes = 1; indexBytes <= 4; ++indexBytes) {
            SCOPED_TRACE(testing::Message() << "version " << version << " index bytes " << indexBytes);
            const Value tree = everyType(version >= 4);
            const auto doc = loadDocument(psbwriter::writePsb(tree, WriteOptions{version, 0x1234, indexBytes}));
            EXPECT_EQ(doc->version(), version);
            EXPECT_EQ(doc->flags(), version > 2 ? 0x1234 : 2);
            expectSame(tree, doc->root(), types);
        }
    }
    for (int type = 1; type <= 37; ++type) {
        const bool arrayOrKey = type >= 13 && type <= 20;
        if (arrayOrKey) continue;
        EXPECT_TRUE(types.count(uint8_t(type))) << "type byte " << type << " never read";
    }
}

TEST(PSBObjectTest, ConvertsBetweenNumericKinds) {
    const Value tree = List{true, false, 0.0f, std::nanf(""), -2.7f, 1e10, int64_t(0x123456789ABCDEF0), 7, -1e30f};
    const auto doc = loadDocument(psbwriter::writePsb(tree));
    const PSBValue root = doc->root();
    EXPECT_FLOAT_EQ(root.at(0).toFloat(), 1.0f);
    EXPECT_EQ(root.at(1).toInt(), 0);
    EXPECT_FALSE(root.at(2).toBool());  // the short form of 0.0
    EXPECT_TRUE(root.at(3).toBool());   // NaN is not 0
    EXPECT_EQ(root.at(4).toInt(), -2);
    EXPECT_EQ(root.at(4).toLong(), -2);
    EXPECT_EQ(root.at(5).toLong(), 10000000000);
    EXPECT_EQ(root.at(5).toInt(), std::numeric_limits<int32_t>::min());  // out of range
    EXPECT_EQ(root.at(6).toInt(), int32_t(0x9ABCDEF0));                 // low 32 bits
    EXPECT_FLOAT_EQ(root.at(7).toFloat(), 7.0f);
    EXPECT_EQ(root.at(8).toLong(), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(root.at(3).toInt(), std::numeric_limits<int32_t>::min());
}

TEST(PSBObjectTest, ToStringOfANonStringGivesStringZero) {
    const auto doc = loadDocument(psbwriter::writePsb(List{"first", 5, "second"}));
    EXPECT_STREQ(doc->root().at(1).toString(), "first");
    const auto noStrings = loadDocument(psbwriter::writePsb(List{5}));
    EXPECT_STREQ(noStrings->root().at(0).toString(), "");
}

TEST(PSBObjectTest, ValueWithoutDocumentIsNull) {
    PSBValue value;
    EXPECT_EQ(value.getType(), kPSBNull);
    PSBValue out;
    EXPECT_FALSE(value.find("x", out));
    EXPECT_EQ(value.getCount(), 0u);
}

// Version, and the least width of indices and packed-array elements.
class NameLookupTest : public testing::TestWithParam<std::tuple<uint16_t, uint32_t>> {};

TEST_P(NameLookupTest, FindsEveryKeyAndNothingElse) {
    Object object;
    const std::vector<std::string> keys = {"", "a", "ab", "abc", "abd", "b", "\x7f", "\x80", "\xff\xfe",
                                           "\xc3\xa9t\xc3\xa9", "zz"};
    for (size_t i = 0; i < keys.size(); ++i) object.emplace(keys[i], int(i));
    for (int i = 0; i < 500; ++i) object.emplace("key" + std::to_string(i * 7919 % 1000), i + 100);
    const auto [version, width] = GetParam();
    const auto doc = loadDocument(psbwriter::writePsb(object, WriteOptions{version, 0, width}));
    const PSBValue root = doc->root();

    for (const auto& [key, value] : object) {
        PSBValue found;
        ASSERT_TRUE(root.find(key, found)) << key;
        EXPECT_EQ(found.toLong(), std::get<int64_t>(value.data)) << key;
        uint32_t index;
        ASSERT_TRUE(doc->findNameIndex(key.c_str(), index));
        EXPECT_EQ(doc->getName(index), key);
    }
    for (const char* absent : {"abcd", "ac", "aa", "key1000", "ke", "\xff", "c", "zzz", "A"}) {
        PSBValue found(doc.get(), nullptr);
        EXPECT_FALSE(root.find(absent, found)) << absent;
        EXPECT_EQ(found.pointer(), nullptr);  // left untouched
    }
    std::vector<std::string> stored;
    root.getKeys(stored);
    std::vector<std::string> sorted;
    for (const auto& [key, value] : object) sorted.push_back(key);
    EXPECT_EQ(stored, sorted);  // byte-wise text order
}

INSTANTIATE_TEST_SUITE_P(VersionsAndWidths, NameLookupTest,
                         testing::Combine(testing::Values<uint16_t>(0, 1, 2, 3, 4), testing::Values(1u, 2u, 3u, 4u)));

TEST(PSBObjectTest, KeyOfAnotherObjectIsNotFound) {
    const auto doc = loadDocument(psbwriter::writePsb(Object{{"a", Object{{"b", 1}}}, {"c", 2}}));
    PSBValue found;
    EXPECT_FALSE(doc->root().find("b", found));
    EXPECT_FALSE(doc->root().get("a").find("c", found));
    EXPECT_FALSE(doc->root().get("c").find("a", found));  // not an object
}

TEST(PSBObjectTest, PurgeKeepsResourcesUntilReleased) {
    for (uint16_t version : {2, 4}) {
        Object tree{{"r", Resource{{1, 2, 3}}}, {"s", "text"}};
        if (version == 4) tree["x"] = Resource{{4, 5}, true};
        auto doc = loadDocument(psbwriter::writePsb(tree, WriteOptions{version}));
        const PSBValue before = doc->root().get("r");
        doc->purge();
        EXPECT_EQ(doc->ownership(), PSBOwnership::Purged);
        EXPECT_EQ(before.getResourceData()[2], 3);  // taken before the purge
        const PSBValue root = doc->root();
        EXPECT_STREQ(root.get("s").toString(), "text");
        EXPECT_EQ(root.get("r").getResourceData()[0], 1);
        doc->purge();  // a purged document stays as it is
        doc->releaseResourceData();
        EXPECT_EQ(root.get("r").getResourceData(), nullptr);
        EXPECT_EQ(root.get("r").getResourceSize(), 3u);
        EXPECT_STREQ(root.get("s").toString(), "text");
        if (version == 4) {
            EXPECT_EQ(root.get("x").getResourceData(), nullptr);
            EXPECT_EQ(root.get("x").getResourceSize(), 2u);
        }
    }
}

TEST(PSBObjectTest, BorrowedDocumentRefusesToPurge) {
    std::vector<uint8_t> bytes = psbwriter::writePsb(Object{{"r", Resource{{1}}}});
    const auto doc = borrowDocument(bytes);
    testing::internal::CaptureStdout();
    doc->purge();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "this psb object can't purge.");
    EXPECT_EQ(doc->ownership(), PSBOwnership::Borrowed);
    doc->releaseResourceData();
    EXPECT_EQ(doc->root().get("r").getResourceData()[0], 1);
}

TEST(PSBObjectTest, FixedDocumentIgnoresPurge) {
    const auto doc = loadDocument(psbwriter::writePsb(Object{{"r", Resource{{1}}}}), PSBOwnership::OwnedFixed);
    doc->purge();
    EXPECT_EQ(doc->ownership(), PSBOwnership::OwnedFixed);
}

// A document whose string texts follow the resource data: cutting at the
// resource data would lose them, so the purge leaves the document whole.
TEST(PSBObjectTest, PurgeLeavesWholeADocumentWithTablesAfterTheResources) {
    std::vector<uint8_t> bytes = psbwriter::writePsb(Object{{"r", Resource{{1, 2}}}, {"s", "late"}});
    const uint32_t texts = bytes[20] | bytes[21] << 8 | bytes[22] << 16 | uint32_t(bytes[23]) << 24;
    const uint32_t moved = uint32_t(bytes.size());
    bytes.insert(bytes.end(), {'l', 'a', 't', 'e', 0});
    std::memset(bytes.data() + texts, 'X', 4);
    for (int i = 0; i < 4; ++i) bytes[20 + i] = uint8_t(moved >> (8 * i));
    const auto doc = loadDocument(bytes);
    doc->purge();
    EXPECT_EQ(doc->ownership(), PSBOwnership::Owned);
    doc->releaseResourceData();
    EXPECT_STREQ(doc->root().get("s").toString(), "late");
    EXPECT_EQ(doc->root().get("r").getResourceData()[1], 2);
}

TEST(PSBObjectDeathTest, MissingKeyIsFatal) {
    const auto doc = loadDocument(psbwriter::writePsb(Object{{"present", 1}}));
    const PSBValue root = doc->root();
    // The message goes to the standard output; the death test reads errors.
    EXPECT_DEATH(
        {
            dup2(2, 1);
            root.get("absent");
        },
        "psb: undefined object key 'absent' is referenced\\.");
    EXPECT_DEATH(
        {
            dup2(2, 1);
            root["pres"];
        },
        "psb: undefined object key 'pres' is referenced\\.");
}

TEST(PSBObjectDeathTest, BrokenDocumentIsFatal) {
    std::vector<uint8_t> bytes = psbwriter::writePsb(Object{{"a", 1}});
    bytes[36] = 0xFF;  // the root past the end
    EXPECT_DEATH(
        {
            dup2(2, 1);
            loadDocument(bytes);
        },
        "psb: broken document: the root value starts past the end\\.");
}

TEST(PSBObjectTest, MisusesGiveTheirMessages) {
    ThrowingPSBFatal throwing;
    const auto doc = loadDocument(psbwriter::writePsb(
        Object{{"s", "t"}, {"n", Value()}, {"l", List{1}}, {"o", Object{{"k", 1}}}, {"r", Resource{{1}}}}));
    const PSBValue root = doc->root();
    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {[&] { root.get("s").toBool(); }, "psb: can't convert value to bool.\n"},
        {[&] { root.get("n").toInt(); }, "psb: can't convert value to int.\n"},
        {[&] { root.get("l").toLong(); }, "psb: can't convert value to long int.\n"},
        {[&] { root.get("o").toFloat(); }, "psb: can't convert value to float.\n"},
        {[&] { root.get("r").toInt(); }, "psb: can't convert value to int.\n"},
        // The packed name array right after an object's type byte.
        {[&] { PSBValue(doc.get(), root.pointer() + 1).getType(); },
         "psb: internal error: unknown internal type detected.\n"},
        {[&] { root.get("l").at(1); }, "psb: broken document: index past the end of a packed array.\n"},
        {[&] { PSBUIntArray().at(0); }, "psb: internal error: access to uninitialized array structure.\n"},
        {[&] { root.get("zz"); }, "psb: undefined object key 'zz' is referenced."},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no fatal for " << c.message;
        } catch (const PSBFatalError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

// Reads everything a document holds; any fatal is thrown.
void readAll(const PSBValue& value, int depth = 0) {
    if (depth > 32) return;
    switch (value.getType()) {
    case kPSBBool:
    case kPSBInteger:
    case kPSBFloat: value.toDouble(); break;
    case kPSBString: value.toString(); break;
    case kPSBResource: value.getResourceData(); break;
    case kPSBList:
        for (uint32_t i = 0; i < value.getCount(); ++i) readAll(value.at(i), depth + 1);
        break;
    case kPSBObject: {
        std::vector<std::string> keys;
        value.getKeys(keys);
        for (const std::string& key : keys) {
            PSBValue found;
            if (value.find(key, found)) readAll(found, depth + 1);
        }
        break;
    }
    default: break;
    }
}

// Every cut and every damaged byte either reads or fails with a message;
// AddressSanitizer watches for a read outside the document.
TEST(PSBObjectTest, DamagedDocumentsFailCleanly) {
    ThrowingPSBFatal throwing;
    for (uint16_t version : {1, 3, 4}) {
        const std::vector<uint8_t> good = psbwriter::writePsb(everyType(version == 4), WriteOptions{version});
        int failures = 0;
        for (size_t cut = 0; cut < good.size(); ++cut) {
            try {
                const auto doc = loadDocument(std::vector<uint8_t>(good.begin(), good.begin() + cut));
                readAll(doc->root());
            } catch (const PSBFatalError&) {
                ++failures;
            }
        }
        EXPECT_GT(failures, 0);
        for (size_t at = 0; at < good.size(); ++at) {
            for (uint8_t damage : {0x00, 0x7F, 0xFF}) {
                std::vector<uint8_t> bad = good;
                bad[at] = damage;
                try {
                    const auto doc = loadDocument(bad);
                    readAll(doc->root());
                    doc->purge();
                    readAll(doc->root());
                } catch (const PSBFatalError& e) {
                    EXPECT_TRUE(std::string(e.what()).starts_with("psb: ")) << e.what();
                }
            }
        }
    }
}

// A width byte from the document is the document's damage; the "internal
// error" stays for an array read before it was set up.
TEST(PSBObjectTest, APackedArrayOfAnElementWidthOutOfRangeIsABrokenDocument) {
    ThrowingPSBFatal throwing;
    std::vector<uint8_t> bad = psbwriter::writePsb(Object{{"k", 1}});
    const size_t strings = bad[16] | bad[17] << 8 | bad[18] << 16 | size_t(bad[19]) << 24;
    bad[strings + 1 + (bad[strings] - 12)] = 17;
    try {
        loadDocument(bad);
        ADD_FAILURE() << "loaded";
    } catch (const PSBFatalError& e) {
        EXPECT_EQ(std::string(e.what()), "psb: broken document: a packed array's element width is out of range.\n");
    }
}

TEST(PSBObjectTest, RejectsHeadersAndTablesOutsideTheDocument) {
    ThrowingPSBFatal throwing;
    const std::vector<uint8_t> good = psbwriter::writePsb(Object{{"k", Resource{{1, 2}}}}, WriteOptions{4});
    struct Case {
        size_t field;
        uint32_t value;
        const char* message;
    };
    const Case cases[] = {
        {12, 0xFFFFFF, "a section starts past the end"},
        {16, uint32_t(good.size()), "packed array expected"},
        {32, 0x7FFFFFFF, "resource data starts past the end"},
        {36, uint32_t(good.size()), "the root value starts past the end"},
        {52, uint32_t(good.size()) + 1, "resource data starts past the end"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        for (int i = 0; i < 4; ++i) bad[c.field + i] = uint8_t(c.value >> (8 * i));
        try {
            loadDocument(bad);
            ADD_FAILURE() << "loaded with field " << c.field;
        } catch (const PSBFatalError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("psb: broken document: ") + c.message + ".\n");
        }
    }
    for (size_t size : {0, 7, 39}) {
        EXPECT_THROW(loadDocument(std::vector<uint8_t>(good.begin(), good.begin() + size)), PSBFatalError);
    }
}

TEST(PSBObjectTest, ResourceReachingPastItsSectionIsFatal) {
    ThrowingPSBFatal throwing;
    std::vector<uint8_t> bytes = psbwriter::writePsb(Object{{"k", Resource{{1, 2}}}}, WriteOptions{2});
    bytes.pop_back();  // the resource's last byte is cut off
    const auto doc = loadDocument(bytes);
    EXPECT_THROW(doc->root().get("k").getResourceData(), PSBFatalError);
}

TEST(PSBObjectTest, ReadsAHandMadeVersion1Document) {
    // Names "a" and "b"; root object {"a": 5, "b": "s"}.
    std::vector<uint8_t> doc(40, 0);
    auto field = [&](size_t at, size_t value) {
        for (int i = 0; i < 4; ++i) doc[at + i] = uint8_t(value >> (8 * i));
    };
    doc[4] = 1;
    field(8, doc.size());
    for (int b : {13, 2, 13, 0, 2}) doc.push_back(uint8_t(b));
    field(12, doc.size());
    for (int b : {int('a'), 0, int('b'), 0}) doc.push_back(uint8_t(b));
    field(16, doc.size());
    for (int b : {13, 1, 13, 0}) doc.push_back(uint8_t(b));
    field(20, doc.size());
    for (int b : {int('s'), 0}) doc.push_back(uint8_t(b));
    field(24, doc.size());
    for (int b : {13, 0, 13}) doc.push_back(uint8_t(b));
    field(28, doc.size());
    for (int b : {13, 0, 13}) doc.push_back(uint8_t(b));
    field(36, doc.size());
    for (int b : {33, 13, 2, 13, 0, 4, 17, 0, 5, 5, 17, 1, 21, 0}) doc.push_back(uint8_t(b));
    field(32, doc.size());
    const auto loaded = loadDocument(doc);
    EXPECT_EQ(loaded->root().get("a").toInt(), 5);
    EXPECT_STREQ(loaded->root().get("b").toString(), "s");
}

}  // namespace
