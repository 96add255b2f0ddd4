// Linked into the test programs of a ThreadSanitizer build only.
//
// QProcess starts its children with a vfork-style clone (CLONE_VM | CLONE_VFORK): the child runs
// in the parent's memory, on the parent's thread-local storage, until it calls exec. The
// sanitizer's clone hook then runs its after-fork code for the child inside that shared memory,
// which marks the *parent* as a process that forked while multi-threaded: from then on the
// parent's main thread has its lock operations ignored (so every hand-over to the upload thread
// is reported as a race) and the next thread it starts kills it ("starting new threads after
// multi-threaded fork"). Taking CLONE_VM and CLONE_VFORK away turns the start into an ordinary
// fork, which the sanitizer models correctly and QProcess supports (it is its own fallback).
#include <dlfcn.h>
#include <sched.h>
#include <sys/types.h>

#include <cstdarg>

extern "C" int clone(int (*fn)(void*), void* stack, int flags, void* arg, ...)
{
    va_list rest;
    va_start(rest, arg);
    pid_t* parentTid = va_arg(rest, pid_t*);
    void* tls = va_arg(rest, void*);
    pid_t* childTid = va_arg(rest, pid_t*);
    va_end(rest);

    using Clone = int (*)(int (*)(void*), void*, int, void*, ...);
    // The next definition after this program's is the sanitizer's own hook, then the C library's.
    static const auto next = reinterpret_cast<Clone>(dlsym(RTLD_NEXT, "clone"));
    if ((flags & CLONE_VM) && (flags & CLONE_VFORK))
        flags &= ~(CLONE_VM | CLONE_VFORK);
    return next(fn, stack, flags, arg, parentTid, tls, childTid);
}
