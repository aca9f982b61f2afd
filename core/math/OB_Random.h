#ifndef OB_RANDOM_H
#define OB_RANDOM_H

#include <cstdint>

// State of the library's Mersenne-Twister generator: MT19937 with 848 words (M = 456) instead
// of 624. One block from the default memory manager.
struct OB_MT_STATE
{
    uint32_t index;  // next word to hand out
    uint32_t seeded;
    uint32_t words[848];
};

// Null when the state cannot be allocated.
OB_MT_STATE* OB_Random_MT_Start(uint32_t seed);
uint32_t OB_Random_MT_Generate(OB_MT_STATE* state);
void OB_Random_MT_Close(OB_MT_STATE* state);

// count values from a standard MT19937 seeded once from /dev/urandom; each value is
// (first draw << 16) | (second draw & 0xffff) with draws uniform over 0..0x7fffffff.
void OB_Random_GenerateBase(uint32_t* buffer, int count);
// count values straight from the operating system's random source.
void OB_Random_GenerateCrypto(uint32_t* buffer, int count);
// count values of the library's generator seeded with one value of OB_Random_GenerateBase.
void OB_Random_GenerateMT(uint32_t* buffer, int count);

// A random (version 4, RFC 4122 variant) GUID: 16 bytes.
void OB_GUID_CreateV4(uint8_t* guid);

#endif
