/*
 * Runs one command and reports what it cost, on one line of standard output:
 *
 *   wall_us cpu_us maxrss_kib exit_code minor_faults
 *
 * wall_us is the elapsed time from just before fork to just after the child was reaped
 * (CLOCK_MONOTONIC); cpu_us is the child's user plus system time and maxrss_kib its peak
 * resident set, both from wait4, so every thread of the child is counted and nothing of the
 * measuring process is. exit_code is the child's exit status, or 128 + the signal that ended it;
 * minor_faults counts the pages the child touched for the first time (wait4 as well).
 *
 *   measure [-q] [-C DIR] -- COMMAND [ARG...]
 *
 * -q sends the child's standard output and error to /dev/null; -C starts it in DIR.
 * This program exits 0 when it could run the command at all, whatever the command's result.
 */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long MicrosecondsOf(struct timeval value) {
  return (long long)value.tv_sec * 1000000LL + value.tv_usec;
}

static long long NowMicroseconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

static void Usage(void) {
  fprintf(stderr, "usage: measure [-q] [-C DIR] -- COMMAND [ARG...]\n");
  exit(2);
}

int main(int argc, char** argv) {
  int quiet = 0;
  const char* folder = NULL;
  int index = 1;
  for (; index < argc; ++index) {
    if (strcmp(argv[index], "-q") == 0) {
      quiet = 1;
    } else if (strcmp(argv[index], "-C") == 0 && index + 1 < argc) {
      folder = argv[++index];
    } else if (strcmp(argv[index], "--") == 0) {
      ++index;
      break;
    } else {
      Usage();
    }
  }
  if (index >= argc) {
    Usage();
  }

  long long start = NowMicroseconds();
  pid_t child = fork();
  if (child < 0) {
    perror("measure: fork");
    return 2;
  }
  if (child == 0) {
    if (folder != NULL && chdir(folder) != 0) {
      perror("measure: chdir");
      _exit(127);
    }
    if (quiet) {
      int sink = open("/dev/null", O_WRONLY);
      if (sink >= 0) {
        dup2(sink, STDOUT_FILENO);
        dup2(sink, STDERR_FILENO);
        close(sink);
      }
    }
    execvp(argv[index], argv + index);
    perror("measure: exec");
    _exit(127);
  }

  int status = 0;
  struct rusage usage;
  memset(&usage, 0, sizeof usage);
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      perror("measure: wait4");
      return 2;
    }
  }
  long long wall = NowMicroseconds() - start;

  int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  long long cpu = MicrosecondsOf(usage.ru_utime) + MicrosecondsOf(usage.ru_stime);
  printf("%lld %lld %ld %d %ld\n", wall, cpu, usage.ru_maxrss, code, usage.ru_minflt);
  return 0;
}
