#include "OB_Random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Outputs 1, 2, 3, 848, 849, 1696, 1697 and 2000 (1-based) of each seed, from an independent
// transcription checked against MT19937's published values (tests/data/random/mt848_golden.py).
struct Golden
{
    uint32_t seed;
    uint32_t values[8];
} const kGolden[] = {
    {5489u, {386868661u, 1437503590u, 1110257047u, 2749966752u, 3455191406u, 1098711137u, 4003569191u, 1194231712u}},
    {0u, {1572499499u, 958109937u, 604360658u, 3335196496u, 1587712661u, 7491343u, 4095659661u, 1584924306u}},
    {3735928559u, {734678473u, 1510030997u, 3777537742u, 2359520148u, 1533144670u, 4215704069u, 47563623u, 2079064137u}},
};
const int kPicks[] = {1, 2, 3, 848, 849, 1696, 1697, 2000};

TEST(OB_Random, MersenneTwisterGoldenValues)
{
    for (const Golden& g : kGolden) {
        OB_MT_STATE* state = OB_Random_MT_Start(g.seed);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->index, 848u);
        EXPECT_EQ(state->seeded, 1u);
        std::vector<uint32_t> values;
        for (int i = 0; i < 2000; ++i) {
            values.push_back(OB_Random_MT_Generate(state));
            if (i == 0 || i == 848) {
                EXPECT_EQ(state->index, 1u) << i; // the 1st and the 849th call regenerate the words
            }
        }
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(values[kPicks[k] - 1], g.values[k]) << g.seed << " #" << kPicks[k];
        OB_Random_MT_Close(state);
    }
    // An unseeded state past its words gives 0.
    OB_MT_STATE* state = OB_Random_MT_Start(1);
    state->seeded = 0;
    state->index = 849;
    EXPECT_EQ(OB_Random_MT_Generate(state), 0u);
    OB_Random_MT_Close(state);
}

TEST(OB_Random, SourcesFillExactlyTheirCount)
{
    using Fill = void (*)(uint32_t*, int);
    for (Fill fill : {OB_Random_GenerateBase, OB_Random_GenerateCrypto, OB_Random_GenerateMT}) {
        std::vector<uint32_t> buffer(258, 0xA5A5A5A5u);
        fill(buffer.data() + 1, 256);
        EXPECT_EQ(buffer.front(), 0xA5A5A5A5u);
        EXPECT_EQ(buffer.back(), 0xA5A5A5A5u);
        std::set<uint32_t> distinct(buffer.begin() + 1, buffer.end() - 1);
        EXPECT_GT(distinct.size(), 250u);
        uint32_t orBits = 0;
        for (size_t i = 1; i + 1 < buffer.size(); ++i)
            orBits |= buffer[i];
        EXPECT_EQ(orBits, 0xFFFFFFFFu); // every bit position takes both values somewhere
        fill(buffer.data(), 0);
        fill(buffer.data(), -1);
        fill(nullptr, 4);
    }
    // Two calls are seeded apart.
    uint32_t a[4], b[4];
    OB_Random_GenerateBase(a, 4);
    OB_Random_GenerateBase(b, 4);
    EXPECT_NE(std::vector<uint32_t>(a, a + 4), std::vector<uint32_t>(b, b + 4));
}

TEST(OB_Random, GuidsAreVersion4WithTheRfcVariant)
{
    std::set<std::vector<uint8_t>> seen;
    for (int i = 0; i < 200; ++i) {
        uint8_t guid[18] = {};
        guid[16] = guid[17] = 0x5A;
        OB_GUID_CreateV4(guid);
        EXPECT_EQ(guid[6] >> 4, 4);
        EXPECT_EQ(guid[8] >> 6, 2);
        EXPECT_EQ(guid[16], 0x5A); // 16 bytes, no more
        seen.insert(std::vector<uint8_t>(guid, guid + 16));
    }
    EXPECT_EQ(seen.size(), 200u);
}

} // namespace
