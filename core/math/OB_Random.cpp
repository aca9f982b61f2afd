#include "OB_Random.h"

#include "COB_MemoryMgr.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <sys/random.h>

namespace {

const uint32_t kN = 848;
const uint32_t kM = 456;
const uint32_t kMatrix = 0x9908B0DFu;
const uint32_t kUpper = 0x80000000u;
const uint32_t kLower = 0x7FFFFFFFu;

uint32_t Twist(uint32_t current, uint32_t next, uint32_t far)
{
    const uint32_t y = (current & kUpper) | (next & kLower);
    return far ^ (y >> 1) ^ ((next & 1) ? kMatrix : 0);
}

void Regenerate(uint32_t* w)
{
    uint32_t k = 0;
    for (; k < kN - kM; ++k)
        w[k] = Twist(w[k], w[k + 1], w[k + kM]);
    for (; k < kN - 1; ++k)
        w[k] = Twist(w[k], w[k + 1], w[k - (kN - kM)]);
    w[kN - 1] = Twist(w[kN - 1], w[0], w[kM - 1]);
}

uint32_t Temper(uint32_t y)
{
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

// Fills bytes from the kernel's random source; false only when it cannot be read at all.
bool SystemRandom(void* buffer, size_t bytes)
{
    uint8_t* p = static_cast<uint8_t*>(buffer);
    while (bytes > 0) {
        const ssize_t got = getrandom(p, bytes, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += got;
        bytes -= static_cast<size_t>(got);
    }
    return true;
}

uint32_t UrandomSeed()
{
    try {
        std::random_device device("/dev/urandom");
        return device();
    } catch (...) {
        // The library throws nothing; the kernel's source stands in for the device file.
        uint32_t seed = 0;
        SystemRandom(&seed, sizeof(seed));
        return seed;
    }
}

uint32_t SeedFromBase()
{
    uint32_t seed = 0;
    OB_Random_GenerateBase(&seed, 1);
    return seed;
}

} // namespace

OB_MT_STATE* OB_Random_MT_Start(uint32_t seed)
{
    OB_MT_STATE* state = static_cast<OB_MT_STATE*>(OB_DefAlloc(sizeof(OB_MT_STATE)));
    if (!state)
        return nullptr;
    state->words[0] = seed;
    for (uint32_t i = 1; i < kN; ++i)
        state->words[i] = 1812433253u * (state->words[i - 1] ^ (state->words[i - 1] >> 30)) + i;
    state->index = kN;
    state->seeded = 1;
    return state;
}

uint32_t OB_Random_MT_Generate(OB_MT_STATE* state)
{
    if (state->index >= kN) {
        if (state->index > kN && !state->seeded)
            return 0;
        Regenerate(state->words);
        state->index = 0;
    }
    return Temper(state->words[state->index++]);
}

void OB_Random_MT_Close(OB_MT_STATE* state)
{
    OB_DefFree(state);
}

void OB_Random_GenerateBase(uint32_t* buffer, int count)
{
    if (!buffer || count <= 0)
        return;
    std::mt19937 engine(UrandomSeed());
    std::uniform_int_distribution<uint32_t> draw(0, 0x7FFFFFFFu);
    for (int i = 0; i < count; ++i) {
        const uint32_t first = draw(engine);
        const uint32_t second = draw(engine);
        buffer[i] = (first << 16) | (second & 0xFFFFu);
    }
}

void OB_Random_GenerateCrypto(uint32_t* buffer, int count)
{
    if (!buffer || count <= 0)
        return;
    // Every value straight from the kernel: a generator seeded with 32 bits could yield at most
    // 2^32 different sequences, far too few for keys or tokens.
    if (!SystemRandom(buffer, static_cast<size_t>(count) * sizeof(uint32_t)))
        OB_Random_GenerateBase(buffer, count);
}

void OB_Random_GenerateMT(uint32_t* buffer, int count)
{
    if (!buffer || count <= 0)
        return;
    OB_MT_STATE* state = OB_Random_MT_Start(SeedFromBase());
    if (!state) {
        // Without memory for the state the values still come random, from the base source.
        OB_Random_GenerateBase(buffer, count);
        return;
    }
    for (int i = 0; i < count; ++i)
        buffer[i] = OB_Random_MT_Generate(state);
    OB_Random_MT_Close(state);
}

void OB_GUID_CreateV4(uint8_t* guid)
{
    if (!guid)
        return;
    uint32_t values[4];
    OB_Random_GenerateMT(values, 4);
    std::memcpy(guid, values, sizeof(values));
    guid[6] = static_cast<uint8_t>((guid[6] & 0x0F) | 0x40);
    // RFC 4122 variant (10xx): without it the GUID claims some other layout.
    guid[8] = static_cast<uint8_t>((guid[8] & 0x3F) | 0x80);
}
