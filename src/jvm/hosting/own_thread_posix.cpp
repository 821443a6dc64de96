#include "jvm/hosting/own_thread.h"

#include <limits>
#include <pthread.h>
#include <unistd.h>

namespace launcher {
namespace {

struct ThreadWork {
  const std::function<uint32_t()>* procedure;
  uint32_t result;
};

void* ThreadStart(void* parameter) {
  ThreadWork* work = static_cast<ThreadWork*>(parameter);
  work->result = (*work->procedure)();
  return nullptr;
}

} // namespace

uint32_t RunOnOwnThread(uint64_t stackSize, const std::function<uint32_t()>& procedure) {
  ThreadWork work{&procedure, 0};
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) {
    return procedure();
  }
  if (stackSize != 0 && stackSize <= std::numeric_limits<size_t>::max()) {
    pthread_attr_setstacksize(&attributes, static_cast<size_t>(stackSize));
  }
  pthread_t thread;
  const int created = pthread_create(&thread, &attributes, ThreadStart, &work);
  pthread_attr_destroy(&attributes);
  if (created != 0) {
    return procedure();
  }
  pthread_join(thread, nullptr);
  return work.result;
}

void SleepForever() {
  for (;;) {
    pause();
  }
}

} // namespace launcher
