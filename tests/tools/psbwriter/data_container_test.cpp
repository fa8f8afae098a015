#include "tools/psbwriter/data_container.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using psbwriter::ContainerKey;

std::vector<uint8_t> fromHex(const std::string& hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < hex.size(); i += 2) out.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

// Made independently: MD5 of the key and name, its four little-endian words
// as an init_by_array key, then 25 outputs of the reference generator.
TEST(DataContainerTest, KeyStreamMatchesAnIndependentDerivation) {
    const auto expected = fromHex(
        "7ec158fda13c60991457d24a588ac09d0b9c1747754b33e5164422b26e754131fa0d045ea037f8c68f6eb05fc4f6"
        "6994aa5e943007b671b8022477ad95d1fc296283c2d33b4bb622323b621fc6e464a87bf593ec30f866341bce6229"
        "6e96b611f5");
    EXPECT_EQ(psbwriter::containerKeyStream(ContainerKey{}, "resource/font/font16.psb.m"), expected);
    // Only the lower-cased file name counts.
    EXPECT_EQ(psbwriter::containerKeyStream(ContainerKey{}, "Other\\Dir\\FONT16.PSB.M"), expected);
    EXPECT_EQ(psbwriter::containerKeyStream(ContainerKey{}, "font16.psb.m"), expected);
    EXPECT_NE(psbwriter::containerKeyStream(ContainerKey{}, "font24.psb.m"), expected);
}

TEST(DataContainerTest, PacksAndUnpacks) {
    std::vector<uint8_t> contents(1000);
    for (size_t i = 0; i < contents.size(); ++i) contents[i] = uint8_t(i * 7 % 13);
    for (uint32_t length : {0u, 1u, 97u, 5000u}) {
        const ContainerKey key{"Kw7#pQz1!", length};
        const auto packed = psbwriter::packContainer(contents, key, "a/b.psb.m");
        ASSERT_TRUE(psbwriter::isContainer(packed));
        EXPECT_EQ(std::vector<uint8_t>(packed.begin(), packed.begin() + 8), fromHex("6d646600e8030000"));
        EXPECT_EQ(psbwriter::unpackContainer(packed, key, "b.psb.m"), contents) << length;
    }
}

TEST(DataContainerTest, WithoutKeyStreamTheBodyIsPlainZlib) {
    const std::vector<uint8_t> contents = {1, 2, 3, 4};
    const auto packed = psbwriter::packContainer(contents, ContainerKey{"", 0}, "x");
    std::vector<uint8_t> out(4);
    uLongf size = out.size();
    ASSERT_EQ(uncompress(out.data(), &size, packed.data() + 8, uLong(packed.size() - 8)), Z_OK);
    EXPECT_EQ(out, contents);
}

TEST(DataContainerTest, RejectsWhatIsNotAWholeContainer) {
    const auto packed = psbwriter::packContainer({1, 2, 3}, ContainerKey{}, "right.m");
    EXPECT_THROW(psbwriter::unpackContainer(packed, ContainerKey{}, "wrong.m"), psbwriter::ContainerError);
    EXPECT_THROW(psbwriter::unpackContainer({'m', 'd', 'f'}, ContainerKey{}, "right.m"), psbwriter::ContainerError);
    EXPECT_THROW(psbwriter::unpackContainer({'P', 'S', 'B', 0, 0, 0, 0, 0, 0}, ContainerKey{}, "right.m"),
                 psbwriter::ContainerError);
    auto cut = packed;
    cut.resize(cut.size() - 3);
    EXPECT_THROW(psbwriter::unpackContainer(cut, ContainerKey{}, "right.m"), psbwriter::ContainerError);
}

}  // namespace
