#include "OB_Lock.h"

#include <thread>

bool OBCRT_Mutex_Initialize(OB_MUTEX* mutex)
{
    pthread_mutexattr_t attr;
    if (pthread_mutexattr_init(&attr) != 0)
        return false;
    bool ok = pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 && pthread_mutex_init(mutex, &attr) == 0;
    pthread_mutexattr_destroy(&attr);
    return ok;
}

void OBCRT_Mutex_Destroy(OB_MUTEX* mutex)
{
    pthread_mutex_destroy(mutex);
}

void OBCRT_Mutex_Lock(OB_MUTEX* mutex)
{
    pthread_mutex_lock(mutex);
}

void OBCRT_Mutex_Unlock(OB_MUTEX* mutex)
{
    pthread_mutex_unlock(mutex);
}

bool OBCRT_Mutex_TryLock(OB_MUTEX* mutex)
{
    return pthread_mutex_trylock(mutex) == 0;
}

bool OB_Mutex_Initialize(OB_MUTEX* mutex)
{
    return mutex && OBCRT_Mutex_Initialize(mutex);
}

void OB_Mutex_Destroy(OB_MUTEX* mutex)
{
    if (mutex)
        OBCRT_Mutex_Destroy(mutex);
}

void OB_Mutex_Lock(OB_MUTEX* mutex)
{
    if (mutex)
        OBCRT_Mutex_Lock(mutex);
}

void OB_Mutex_Unlock(OB_MUTEX* mutex)
{
    if (mutex)
        OBCRT_Mutex_Unlock(mutex);
}

bool OB_Mutex_TryLock(OB_MUTEX* mutex)
{
    return mutex && OBCRT_Mutex_TryLock(mutex);
}

bool OBCRT_SpinLock_TryLock(OB_SPINLOCK* lock)
{
    int32_t expected = 0;
    return lock->compare_exchange_strong(expected, 1, std::memory_order_acquire, std::memory_order_relaxed);
}

void OBCRT_SpinLock_Lock(OB_SPINLOCK* lock)
{
    while (!OBCRT_SpinLock_TryLock(lock)) {
        while (lock->load(std::memory_order_relaxed) != 0)
            std::this_thread::yield();
    }
}

void OBCRT_SpinLock_Unlock(OB_SPINLOCK* lock)
{
    lock->store(0, std::memory_order_release);
}

bool OBCRT_SpinLock_IsLocked(OB_SPINLOCK* lock)
{
    return lock->load(std::memory_order_acquire) != 0;
}

bool OB_SpinLock_Initialize(OB_SPINLOCK* lock)
{
    return lock != nullptr;
}

void OB_SpinLock_Destroy(OB_SPINLOCK*) {}

bool OB_SpinLock_TryLock(OB_SPINLOCK* lock)
{
    return lock && OBCRT_SpinLock_TryLock(lock);
}

void OB_SpinLock_Lock(OB_SPINLOCK* lock)
{
    if (lock)
        OBCRT_SpinLock_Lock(lock);
}

void OB_SpinLock_Unlock(OB_SPINLOCK* lock)
{
    if (lock)
        OBCRT_SpinLock_Unlock(lock);
}

bool OB_SpinLock_IsLocked(OB_SPINLOCK* lock)
{
    return lock && OBCRT_SpinLock_IsLocked(lock);
}

int32_t OB_Atom_Add32(std::atomic<int32_t>* value, int32_t amount)
{
    // Wraps like the platform call instead of overflowing signed arithmetic.
    return static_cast<int32_t>(static_cast<uint32_t>(value->fetch_add(amount)) + static_cast<uint32_t>(amount));
}

int32_t OB_Atom_Subtract32(std::atomic<int32_t>* value, int32_t amount)
{
    return OB_Atom_Add32(value, static_cast<int32_t>(0u - static_cast<uint32_t>(amount)));
}

int64_t OB_Atom_Add64(std::atomic<int64_t>* value, int64_t amount)
{
    return static_cast<int64_t>(static_cast<uint64_t>(value->fetch_add(amount)) + static_cast<uint64_t>(amount));
}

int64_t OB_Atom_Subtract64(std::atomic<int64_t>* value, int64_t amount)
{
    return OB_Atom_Add64(value, static_cast<int64_t>(0u - static_cast<uint64_t>(amount)));
}

bool OB_RWLock_Initialize(OB_RWLOCK* lock)
{
    return lock && pthread_rwlock_init(lock, nullptr) == 0;
}

void OB_RWLock_Destroy(OB_RWLOCK* lock)
{
    if (lock)
        pthread_rwlock_destroy(lock);
}

bool OB_RWLock_TryReadLock(OB_RWLOCK* lock)
{
    return lock && pthread_rwlock_tryrdlock(lock) == 0;
}

void OB_RWLock_ReadLock(OB_RWLOCK* lock)
{
    if (lock)
        pthread_rwlock_rdlock(lock);
}

void OB_RWLock_ReadUnlock(OB_RWLOCK* lock)
{
    if (lock)
        pthread_rwlock_unlock(lock);
}

bool OB_RWLock_TryWriteLock(OB_RWLOCK* lock)
{
    return lock && pthread_rwlock_trywrlock(lock) == 0;
}

void OB_RWLock_WriteLock(OB_RWLOCK* lock)
{
    if (lock)
        pthread_rwlock_wrlock(lock);
}

void OB_RWLock_WriteUnlock(OB_RWLOCK* lock)
{
    if (lock)
        pthread_rwlock_unlock(lock);
}
