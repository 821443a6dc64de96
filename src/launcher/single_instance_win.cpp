#include "launcher/single_instance.h"

#include <atomic>
#include <cstring>

#include "base/scoped_handle_win.h"
#include "launcher/handover_area.h"
#include "launcher/handover_request.h"
#include "launcher/single_instance_rules.h"

namespace launcher {
namespace {

// What the listener and the request threads share with the rest of the primary. Request
// threads are not waited for, so each holds it as long as it runs.
struct Primary {
  ScopedHandle instanceEvent; // set right before main; absent when it could not be created
  ScopedHandle areaCopied;    // set each time the listener has copied the argument area out
  UINT handoverMessage = 0;
  std::wstring mainClass;
  std::atomic<JavaVM*> javaVm{nullptr};
  std::atomic<bool> stayAttached{false};
  const uint8_t* block = nullptr; // the mapped record; read by the listener while it runs
};

struct InstanceRequest {
  DWORD sender; // the second start's thread, which waits for the reply
  ArgumentArea area;
  std::shared_ptr<Primary> primary;
};

DWORD WINAPI ServeRequest(LPVOID parameter) {
  const std::unique_ptr<InstanceRequest> request(static_cast<InstanceRequest*>(parameter));
  const Primary& primary = *request->primary;
  if (primary.instanceEvent.valid()) {
    WaitForSingleObject(primary.instanceEvent.get(), INFINITE);
  }
  const HandoverTarget target{primary.javaVm.load(), primary.mainClass,
                              primary.stayAttached.load()};
  const DWORD sender = request->sender;
  const UINT message = primary.handoverMessage;
  return ServeHandover(target, ReadArguments(request->area), [sender, message](int32_t code) {
    // Fails, and is let go, when the second start has ended meanwhile.
    PostThreadMessageW(sender, message, static_cast<WPARAM>(static_cast<uint32_t>(code)), 0);
  });
}

// Copies each hand-over's arguments out of the shared area at once, so that the second start
// may let the next one write, and serves it on a thread of its own.
DWORD WINAPI Listen(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<Primary>> owned(
      static_cast<std::shared_ptr<Primary>*>(parameter));
  const std::shared_ptr<Primary> primary = *owned;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message != primary->handoverMessage) {
      continue;
    }
    auto* request = new InstanceRequest{static_cast<DWORD>(message.wParam), {}, primary};
    std::memcpy(request->area.data(), primary->block + kArgumentAreaOffset, kArgumentAreaSize);
    if (primary->areaCopied.valid()) {
      SetEvent(primary->areaCopied.get());
    }
    HANDLE thread = CreateThread(nullptr, 0, ServeRequest, request, 0, nullptr);
    if (thread != nullptr) {
      CloseHandle(thread);
    } else {
      delete request;
    }
  }
  return 0;
}

} // namespace

struct SingleInstance::State {
  bool singleInstance = false; // the mode is in force
  bool isPrimaryInstance = false;
  ScopedHandle mappingHandle;
  uint8_t* sharedBlock = nullptr;
  // The primary's.
  ScopedHandle listenerThread;
  std::shared_ptr<Primary> primary;
  // A second start's.
  UINT handoverMessage = 0;
  ScopedHandle process;
  ScopedHandle handoverMutex;
  ScopedHandle areaCopied;
  bool holdsMutex = false;

  ~State() {
    ReleaseHandoverMutex();
    if (sharedBlock != nullptr) {
      UnmapViewOfFile(sharedBlock);
    }
  }

  void ReleaseHandoverMutex() {
    if (holdsMutex) {
      ReleaseMutex(handoverMutex.get());
      holdsMutex = false;
    }
  }

  // Publishes the record's fields and starts the listener; false switches the mode off.
  bool BecomePrimary(const std::wstring& name, const std::wstring& mainClass) {
    primary = std::make_shared<Primary>();
    primary->instanceEvent.reset(
        CreateEventW(nullptr, TRUE, FALSE, InstanceEventName(name).c_str()));
    primary->areaCopied.reset(
        CreateEventW(nullptr, FALSE, FALSE, AreaCopiedEventName(name).c_str()));
    primary->handoverMessage = RegisterWindowMessageW(name.c_str());
    primary->mainClass = mainClass;
    primary->block = sharedBlock;
    StoreField(sharedBlock, kHandoverMessageOffset, primary->handoverMessage);
    if (primary->handoverMessage == 0) {
      return false;
    }
    StoreField(sharedBlock, kPrimaryProcessIdOffset, GetCurrentProcessId());
    auto* parameter = new std::shared_ptr<Primary>(primary);
    // The thread's id goes straight into its field of the record.
    listenerThread.reset(
        CreateThread(nullptr, 0, Listen, parameter, 0,
                     reinterpret_cast<DWORD*>(sharedBlock + kListenerThreadIdOffset)));
    if (!listenerThread.valid()) {
      delete parameter;
      return false;
    }
    return true;
  }

  // Writes the arguments into the shared area, holding the hand-over mutex from before the
  // write until the primary has copied them out (AwaitReply lets it go), and tells the
  // primary's listener.
  bool HandOver(const std::wstring& name, const std::vector<std::wstring>& arguments) {
    const std::optional<PackedArguments> packed = PackArguments(arguments);
    if (!packed) {
      return false;
    }
    handoverMessage = LoadField(sharedBlock, kHandoverMessageOffset);
    process.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                              LoadField(sharedBlock, kPrimaryProcessIdOffset)));
    handoverMutex.reset(CreateMutexW(nullptr, FALSE, HandoverMutexName(name).c_str()));
    areaCopied.reset(CreateEventW(nullptr, FALSE, FALSE, AreaCopiedEventName(name).c_str()));
    if (handoverMutex.valid()) {
      // A primary that ends meanwhile ends the wait too; the post below then fails.
      const HANDLE handles[] = {handoverMutex.get(), process.get()};
      const DWORD waited =
          WaitForMultipleObjects(process.valid() ? 2 : 1, handles, FALSE, INFINITE);
      holdsMutex = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED_0;
      if (holdsMutex && areaCopied.valid()) {
        // Set for the hand-over before this one, which may have ended on its reply first.
        ResetEvent(areaCopied.get());
      }
    }
    std::memcpy(sharedBlock + kArgumentAreaOffset, packed->data(), packed->size());
    if (!PostThreadMessageW(LoadField(sharedBlock, kListenerThreadIdOffset), handoverMessage,
                            GetCurrentThreadId(), 0)) {
      ReleaseHandoverMutex();
      return false;
    }
    return true;
  }
};

SingleInstance::SingleInstance() : state_(new State) {}

SingleInstance::~SingleInstance() {
  Stop();
}

bool SingleInstance::SetUp(const std::wstring& modulePath, bool wanted,
                           const std::vector<std::wstring>& arguments,
                           const std::wstring& mainClass) {
  if (!wanted) {
    return true;
  }
  const std::wstring name = InstanceName(modulePath);
  SetLastError(0);
  state_->mappingHandle.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 static_cast<DWORD>(kSharedBlockSize),
                                                 name.c_str()));
  if (!state_->mappingHandle.valid()) {
    return true;
  }
  // An existing mapping (ERROR_ALREADY_EXISTS) makes this a second start.
  state_->isPrimaryInstance = GetLastError() == 0;
  state_->sharedBlock =
      static_cast<uint8_t*>(MapViewOfFile(state_->mappingHandle.get(), FILE_MAP_WRITE, 0, 0, 0));
  if (state_->sharedBlock == nullptr) {
    return true;
  }
  if (state_->isPrimaryInstance) {
    state_->singleInstance = state_->BecomePrimary(name, mainClass);
    return true;
  }
  state_->singleInstance = true;
  return state_->HandOver(name, arguments);
}

bool SingleInstance::IsPrimary() const {
  return state_->singleInstance && state_->isPrimaryInstance;
}

bool SingleInstance::IsSecondStart() const {
  return state_->singleInstance && !state_->isPrimaryInstance;
}

int32_t SingleInstance::AwaitReply() {
  State& state = *state_;
  if (!state.process.valid()) {
    state.ReleaseHandoverMutex();
    return kPrimaryUnreachable;
  }
  for (;;) {
    // The process handle tells an ended primary from a running one, even one whose exit code
    // is 259 (STILL_ACTIVE). It is looked at before the queue: a reply posted before the
    // primary ended is queued by then, and wins.
    const bool ended = WaitForSingleObject(state.process.get(), 0) == WAIT_OBJECT_0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == state.handoverMessage) {
        state.ReleaseHandoverMutex();
        return ReplyCode(message.wParam);
      }
    }
    if (ended) {
      state.ReleaseHandoverMutex();
      DWORD code = 0;
      return GetExitCodeProcess(state.process.get(), &code) ? static_cast<int32_t>(code)
                                                            : kPrimaryLost;
    }
    const HANDLE handles[] = {state.process.get(), state.areaCopied.get()};
    const DWORD count = state.holdsMutex && state.areaCopied.valid() ? 2 : 1;
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLPOSTMESSAGE,
                                                    MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0 + 1) {
      state.ReleaseHandoverMutex(); // the primary has copied the arguments out
    } else if (woken == WAIT_FAILED) {
      state.ReleaseHandoverMutex();
      return kPrimaryLost;
    }
  }
}

void SingleInstance::MainStarting(JavaVM* javaVm, bool stayAttached) {
  if (!IsPrimary()) {
    return;
  }
  Primary& primary = *state_->primary;
  primary.javaVm = javaVm;
  primary.stayAttached = stayAttached;
  if (primary.instanceEvent.valid()) {
    SetEvent(primary.instanceEvent.get());
  }
}

void SingleInstance::Stop() {
  State& state = *state_;
  if (state.singleInstance && state.isPrimaryInstance && state.listenerThread.valid()) {
    // Posted again until it ends, as a post can come before the thread has its queue.
    const DWORD listener = LoadField(state.sharedBlock, kListenerThreadIdOffset);
    do {
      PostThreadMessageW(listener, WM_QUIT, 0, 0);
    } while (WaitForSingleObject(state.listenerThread.get(), 10) == WAIT_TIMEOUT);
  }
  state_.reset(new State);
}

} // namespace launcher
