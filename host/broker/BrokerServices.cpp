// xft: the OS encapsulation services. A provider here uses its own threads
// and locks, so the slots are stubs that refuse (ENOSYS, or NULL); the
// sparse edition leaves NULL the slots sfcb leaves NULL.
#include <cerrno>

#include "host/broker/BrokerTables.h"

namespace vhost::broker {
namespace {

char* resolveFileName(const char*) { return nullptr; }
CMPI_THREAD_TYPE newThread(CMPI_THREAD_RETURN (*)(void*), void*, int) { return nullptr; }
int joinThread(CMPI_THREAD_TYPE, CMPI_THREAD_RETURN*) { return ENOSYS; }
int exitThread(CMPI_THREAD_RETURN) { return ENOSYS; }
int cancelThread(CMPI_THREAD_TYPE) { return ENOSYS; }
int threadSleep(CMPIUint32) { return ENOSYS; }
int threadOnce(int*, void (*)(void)) { return ENOSYS; }
int createThreadKey(CMPI_THREAD_KEY_TYPE*, void (*)(void*)) { return ENOSYS; }
int destroyThreadKey(CMPI_THREAD_KEY_TYPE) { return ENOSYS; }
void* getThreadSpecific(CMPI_THREAD_KEY_TYPE) { return nullptr; }
int setThreadSpecific(CMPI_THREAD_KEY_TYPE, void*) { return ENOSYS; }
CMPI_MUTEX_TYPE newMutex(int) { return nullptr; }
void destroyMutex(CMPI_MUTEX_TYPE) {}
void lockMutex(CMPI_MUTEX_TYPE) {}
void unlockMutex(CMPI_MUTEX_TYPE) {}
CMPI_COND_TYPE newCondition(int) { return nullptr; }
void destroyCondition(CMPI_COND_TYPE) {}
int condWait(CMPI_COND_TYPE, CMPI_MUTEX_TYPE) { return ENOSYS; }
int timedCondWait(CMPI_COND_TYPE, CMPI_MUTEX_TYPE, struct timespec*) { return ENOSYS; }
int signalCondition(CMPI_COND_TYPE) { return ENOSYS; }

CMPIBrokerExtFT fullTable = {CMPIVersion200, resolveFileName, newThread, joinThread, exitThread, cancelThread,
                             threadSleep, threadOnce, createThreadKey, destroyThreadKey, getThreadSpecific,
                             setThreadSpecific, newMutex, destroyMutex, lockMutex, unlockMutex, newCondition,
                             destroyCondition, condWait, timedCondWait, signalCondition};
CMPIBrokerExtFT sparseTable = {1, resolveFileName, newThread, nullptr, nullptr, nullptr,
                               nullptr, threadOnce, createThreadKey, destroyThreadKey, getThreadSpecific,
                               setThreadSpecific, newMutex, destroyMutex, lockMutex, unlockMutex, newCondition,
                               destroyCondition, condWait, timedCondWait, nullptr};

}  // namespace

CMPIBrokerExtFT* extendedTable(bool sparse) { return sparse ? &sparseTable : &fullTable; }

}  // namespace vhost::broker
