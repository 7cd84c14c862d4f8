// start_detached_solver(): pthreads, for the stack size and the nice value of one thread.
#include "ui/common/solver_thread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

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

}  // namespace

int start_detached_solver(int stack_size)
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes))
        return 0;
    pthread_t thread;
    // A refused stack size would leave the thread the default one, which is not what was asked.
    int failed = pthread_attr_setstacksize(&attributes, static_cast<size_t>(stack_size) * STACK_FACTOR) ||
                 pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED) ||
                 pthread_create(&thread, &attributes, solver_entry, nullptr);
    pthread_attr_destroy(&attributes);
    return failed ? 0 : 1;
}
