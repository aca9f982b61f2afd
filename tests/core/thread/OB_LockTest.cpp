#include "OB_Lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

bool TryLockFromAnotherThread(OB_MUTEX* mutex)
{
    bool got = false;
    std::thread([&] {
        got = OB_Mutex_TryLock(mutex);
        if (got)
            OB_Mutex_Unlock(mutex);
    }).join();
    return got;
}

TEST(OB_Lock, MutexIsRecursive)
{
    OB_MUTEX mutex;
    ASSERT_TRUE(OB_Mutex_Initialize(&mutex));
    OB_Mutex_Lock(&mutex);
    OB_Mutex_Lock(&mutex);
    EXPECT_TRUE(OB_Mutex_TryLock(&mutex)); // the owner may take it again
    OB_Mutex_Unlock(&mutex);
    OB_Mutex_Unlock(&mutex);
    EXPECT_FALSE(TryLockFromAnotherThread(&mutex));
    OB_Mutex_Unlock(&mutex);
    EXPECT_TRUE(TryLockFromAnotherThread(&mutex));
    OB_Mutex_Destroy(&mutex);
}

TEST(OB_Lock, NullLocksFailOrDoNothing)
{
    EXPECT_FALSE(OB_Mutex_Initialize(nullptr));
    EXPECT_FALSE(OB_Mutex_TryLock(nullptr));
    OB_Mutex_Lock(nullptr);
    OB_Mutex_Unlock(nullptr);
    OB_Mutex_Destroy(nullptr);
    EXPECT_FALSE(OB_SpinLock_Initialize(nullptr));
    EXPECT_FALSE(OB_SpinLock_TryLock(nullptr));
    EXPECT_FALSE(OB_SpinLock_IsLocked(nullptr));
    OB_SpinLock_Lock(nullptr);
    OB_SpinLock_Unlock(nullptr);
    EXPECT_FALSE(OB_RWLock_Initialize(nullptr));
    EXPECT_FALSE(OB_RWLock_TryReadLock(nullptr));
    EXPECT_FALSE(OB_RWLock_TryWriteLock(nullptr));
    OB_RWLock_ReadLock(nullptr);
    OB_RWLock_WriteLock(nullptr);
    OB_RWLock_Destroy(nullptr);
    COB_MutexLocker none(nullptr);
}

TEST(OB_Lock, SpinLockExcludesOtherThreads)
{
    OB_SPINLOCK lock{0};
    EXPECT_TRUE(OB_SpinLock_Initialize(&lock));
    EXPECT_TRUE(OB_SpinLock_TryLock(&lock));
    EXPECT_TRUE(OB_SpinLock_IsLocked(&lock));
    EXPECT_FALSE(OB_SpinLock_TryLock(&lock)); // not recursive
    OB_SpinLock_Unlock(&lock);
    EXPECT_FALSE(OB_SpinLock_IsLocked(&lock));

    long counter = 0; // guarded by the spin lock only
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                OB_SpinLock_Lock(&lock);
                ++counter;
                OB_SpinLock_Unlock(&lock);
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(counter, 80000);
}

TEST(OB_Lock, AtomsReturnTheNewValue)
{
    std::atomic<int32_t> v32{5};
    EXPECT_EQ(OB_Atom_Subtract32(&v32, 2), 3);
    EXPECT_EQ(OB_Atom_Add32(&v32, 10), 13);
    v32 = INT32_MAX;
    EXPECT_EQ(OB_Atom_Add32(&v32, 1), INT32_MIN); // wraps
    std::atomic<int64_t> v64{1LL << 40};
    EXPECT_EQ(OB_Atom_Add64(&v64, 1), (1LL << 40) + 1);
    EXPECT_EQ(OB_Atom_Subtract64(&v64, 2), (1LL << 40) - 1);

    std::atomic<int32_t> shared{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i)
                OB_Atom_Add32(&shared, 1);
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(shared.load(), 40000);
}

TEST(OB_Lock, ReadWriteLock)
{
    OB_RWLOCK lock;
    ASSERT_TRUE(OB_RWLock_Initialize(&lock));
    OB_RWLock_ReadLock(&lock);
    EXPECT_TRUE(OB_RWLock_TryReadLock(&lock)); // readers share
    EXPECT_FALSE(OB_RWLock_TryWriteLock(&lock));
    OB_RWLock_ReadUnlock(&lock);
    OB_RWLock_ReadUnlock(&lock);
    OB_RWLock_WriteLock(&lock);
    bool readerGot = true;
    std::thread([&] { readerGot = OB_RWLock_TryReadLock(&lock); }).join();
    EXPECT_FALSE(readerGot);
    OB_RWLock_WriteUnlock(&lock);
    EXPECT_TRUE(OB_RWLock_TryWriteLock(&lock));
    OB_RWLock_WriteUnlock(&lock);
    OB_RWLock_Destroy(&lock);
}

} // namespace
