// The signals whose default action ends the process (with or without a core
// dump), other than the faults of the program itself: a closed terminal, a
// closed pipe, Ctrl-C and Ctrl-\, kill, a timer, a processor-time limit.
// The programs catch them all alike, to end in order and keep what they did.
// SIGXFSZ is not among them: it is ignored, so that a write past the
// file-size limit fails ("File too large") as any other write does.
#pragma once

#include <signal.h>

inline constexpr int ENDING_SIGNALS[] = {SIGHUP,  SIGINT,  SIGQUIT,   SIGPIPE,  SIGALRM, SIGTERM, SIGUSR1,
                                         SIGUSR2, SIGPOLL, SIGPROF,  SIGVTALRM, SIGXCPU, SIGPWR,  SIGSTKFLT};
