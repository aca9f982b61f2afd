#ifndef OB_LOCK_H
#define OB_LOCK_H

#include <atomic>
#include <cstdint>
#include <pthread.h>

// Recursive mutex: the same thread may lock it again and must unlock it as often.
typedef pthread_mutex_t OB_MUTEX;
// Spin lock word, 0 = unlocked; the caller zeroes it before use.
typedef std::atomic<int32_t> OB_SPINLOCK;
// Read-write lock with default attributes.
typedef pthread_rwlock_t OB_RWLOCK;

bool OB_Mutex_Initialize(OB_MUTEX* mutex);
void OB_Mutex_Destroy(OB_MUTEX* mutex);
void OB_Mutex_Lock(OB_MUTEX* mutex);
void OB_Mutex_Unlock(OB_MUTEX* mutex);
bool OB_Mutex_TryLock(OB_MUTEX* mutex);

bool OBCRT_Mutex_Initialize(OB_MUTEX* mutex);
void OBCRT_Mutex_Destroy(OB_MUTEX* mutex);
void OBCRT_Mutex_Lock(OB_MUTEX* mutex);
void OBCRT_Mutex_Unlock(OB_MUTEX* mutex);
bool OBCRT_Mutex_TryLock(OB_MUTEX* mutex);

bool OB_SpinLock_Initialize(OB_SPINLOCK* lock);
void OB_SpinLock_Destroy(OB_SPINLOCK* lock);
bool OB_SpinLock_TryLock(OB_SPINLOCK* lock);
void OB_SpinLock_Lock(OB_SPINLOCK* lock);
void OB_SpinLock_Unlock(OB_SPINLOCK* lock);
bool OB_SpinLock_IsLocked(OB_SPINLOCK* lock);

bool OBCRT_SpinLock_TryLock(OB_SPINLOCK* lock);
void OBCRT_SpinLock_Lock(OB_SPINLOCK* lock);
void OBCRT_SpinLock_Unlock(OB_SPINLOCK* lock);
bool OBCRT_SpinLock_IsLocked(OB_SPINLOCK* lock);

// Atomic add; each returns the new value.
int32_t OB_Atom_Add32(std::atomic<int32_t>* value, int32_t amount);
int32_t OB_Atom_Subtract32(std::atomic<int32_t>* value, int32_t amount);
int64_t OB_Atom_Add64(std::atomic<int64_t>* value, int64_t amount);
int64_t OB_Atom_Subtract64(std::atomic<int64_t>* value, int64_t amount);

bool OB_RWLock_Initialize(OB_RWLOCK* lock);
void OB_RWLock_Destroy(OB_RWLOCK* lock);
bool OB_RWLock_TryReadLock(OB_RWLOCK* lock);
void OB_RWLock_ReadLock(OB_RWLOCK* lock);
void OB_RWLock_ReadUnlock(OB_RWLOCK* lock);
bool OB_RWLock_TryWriteLock(OB_RWLOCK* lock);
void OB_RWLock_WriteLock(OB_RWLOCK* lock);
void OB_RWLock_WriteUnlock(OB_RWLOCK* lock);

// Scoped lock of a recursive mutex (null = no lock).
class COB_MutexLocker
{
public:
    explicit COB_MutexLocker(OB_MUTEX* mutex) : m_pMutex(mutex) { OB_Mutex_Lock(m_pMutex); }
    ~COB_MutexLocker() { OB_Mutex_Unlock(m_pMutex); }
    COB_MutexLocker(const COB_MutexLocker&) = delete;
    COB_MutexLocker& operator=(const COB_MutexLocker&) = delete;

private:
    OB_MUTEX* m_pMutex;
};

#endif
