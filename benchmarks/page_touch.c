/*
 * How long the first touch of a fresh page of memory takes on this machine: maps 64 MiB, writes
 * one byte per page, and prints the median cost per page in microseconds over 5 tries. Start-up
 * work that builds large strings pays this for every page it touches; on some virtual machines it
 * is a hundred times what it is on bare hardware, which makes such work look slow.
 */
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

static double NowMicroseconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

static int CompareDoubles(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

int main(void) {
  const size_t size = (size_t)64 << 20;
  const size_t page = (size_t)sysconf(_SC_PAGESIZE);
  double perPage[5];
  for (int i = 0; i < 5; ++i) {
    double start = NowMicroseconds();
    volatile char* memory =
        mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
      perror("page_touch: mmap");
      return 1;
    }
    for (size_t offset = 0; offset < size; offset += page) {
      memory[offset] = 1;
    }
    perPage[i] = (NowMicroseconds() - start) / (double)(size / page);
    munmap((void*)memory, size);
  }
  qsort(perPage, 5, sizeof perPage[0], CompareDoubles);
  printf("%.2f\n", perPage[2]);
  return 0;
}
