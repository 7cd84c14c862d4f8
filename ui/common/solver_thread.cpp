// start_detached_solver(): pthreads, for the stack size and the nice value of one thread.
#include "ui/common/solver_thread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "driver/solver.h"

namespace {

constexpr int SOLVER_NICE_STEP = 1;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int STACK_FACTOR = 32;  // instrumented frames of hit() are about six times larger
#else
constexpr int STACK_FACTOR = 1;
#endif

void* solver_entry(void*)
{
    pthread_setname_np(pthread_self(), "orvanta-solver");
    errno = 0;
    int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (errno == 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice + SOLVER_NICE_STEP);
    SolverThread();
    return nullptr;
}

// The stack asked for, but no less than the system's smallest, which it
// would refuse: 131,072 bytes on Linux with 64 KiB pages.
size_t stack_bytes(int stack_size)
{
    long smallest = sysconf(_SC_THREAD_STACK_MIN);
    return std::max(static_cast<size_t>(stack_size) * STACK_FACTOR,
                    smallest > 0 ? static_cast<size_t>(smallest) : static_cast<size_t>(PTHREAD_STACK_MIN));
}

}  // namespace

int start_detached_solver(int stack_size)
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes))
        return 0;
    pthread_t thread;
    // A refused stack size would leave the thread the default one, which is not what was asked.
    int failed = pthread_attr_setstacksize(&attributes, stack_bytes(stack_size)) ||
                 pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED) ||
                 pthread_create(&thread, &attributes, solver_entry, nullptr);
    pthread_attr_destroy(&attributes);
    return failed ? 0 : 1;
}
