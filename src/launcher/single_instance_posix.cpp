#include "launcher/single_instance.h"

#include <fcntl.h>
#include <pthread.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>

#include "base/text.h"
#include "launcher/handover_area.h"
#include "launcher/handover_request.h"
#include "launcher/single_instance_rules.h"

namespace launcher {
namespace {

// What the listener and the request threads share with the rest of the primary. It lives
// until the process ends: request threads are not waited for, and the exit handler that
// answers the second starts still waiting runs after everything else is gone.
struct Primary {
  std::wstring mainClass;
  std::mutex mutex;
  std::condition_variable started;
  bool mainStarted = false;
  HandoverTarget target;
  // Connections of second starts not answered yet, each answered once, under `mutex`.
  std::set<int> owed;
  int listener = -1;
};

Primary* primary = nullptr;

bool SendAll(int socket, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    const ssize_t sent = send(socket, bytes, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) {
      continue;
    }
    if (sent <= 0) {
      return false;
    }
    bytes += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

// Up to `size` bytes; fewer only when the peer closed or failed.
size_t ReceiveAll(int socket, uint8_t* bytes, size_t size) {
  size_t received = 0;
  while (received < size) {
    const ssize_t got = recv(socket, bytes + received, size - received, 0);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    received += static_cast<size_t>(got);
  }
  return received;
}

// Answers a second start unless it was answered already, and lets go of a replied one. Called
// with primary->mutex held.
void AnswerLocked(int connection, ReplyKind kind, int32_t code) {
  if (primary->owed.erase(connection) == 0) {
    return;
  }
  const ReplyMessage message = EncodeReply(kind, code);
  SendAll(connection, message.data(), message.size());
  if (kind == ReplyKind::kReply) {
    close(connection);
  }
}

// The exit code, whatever ends the primary (main's return or System.exit), reaches the second
// starts whose hand-over got no reply.
void AnswerAtExit(int status, void*) {
  std::lock_guard<std::mutex> lock(primary->mutex);
  for (int connection : std::set<int>(primary->owed)) {
    AnswerLocked(connection, ReplyKind::kPrimaryEnded, status);
  }
}

void* ServeRequest(void* parameter) {
  const int connection = static_cast<int>(reinterpret_cast<intptr_t>(parameter));
  PackedArguments packed{};
  if (ReceiveAll(connection, packed.data(), packed.size()) != packed.size()) {
    std::lock_guard<std::mutex> lock(primary->mutex);
    primary->owed.erase(connection);
    close(connection);
    return nullptr;
  }
  const std::vector<std::wstring> arguments = ReadArguments(AreaFromPacked(packed));
  HandoverTarget target;
  {
    std::unique_lock<std::mutex> lock(primary->mutex);
    primary->started.wait(lock, [] { return primary->mainStarted; });
    target = primary->target;
  }
  // Without a reply the connection stays open: the second start waits for the primary's end.
  ServeHandover(target, arguments, [connection](int32_t code) {
    std::lock_guard<std::mutex> lock(primary->mutex);
    AnswerLocked(connection, ReplyKind::kReply, code);
  });
  return nullptr;
}

bool StartDetached(void* (*procedure)(void*), void* parameter) {
  pthread_t thread;
  if (pthread_create(&thread, nullptr, procedure, parameter) != 0) {
    return false;
  }
  pthread_detach(thread);
  return true;
}

void* Listen(void*) {
  for (;;) {
    const int connection = accept4(primary->listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      if (errno == EINTR || errno == ECONNABORTED) {
        continue;
      }
      return nullptr; // the teardown shut the socket down
    }
    ucred peer{};
    socklen_t length = sizeof peer;
    if (getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
        peer.uid != geteuid()) {
      close(connection);
      continue;
    }
    std::lock_guard<std::mutex> lock(primary->mutex);
    primary->owed.insert(connection);
    // A hand-over that cannot be served waits for the primary's end, as an unanswered one.
    StartDetached(ServeRequest, reinterpret_cast<void*>(static_cast<intptr_t>(connection)));
  }
}

// The folder of the lock and the socket: made by this user, entered by no one else.
std::string InstanceFolder() {
  const char* runtime = getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime != nullptr && runtime[0] == '/'
                                 ? std::string(runtime) + "/java-launcher"
                                 : "/tmp/java-launcher-" + std::to_string(geteuid());
  mkdir(folder.c_str(), 0700);
  struct stat status;
  if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
      status.st_uid != geteuid() || (status.st_mode & 077) != 0) {
    return std::string();
  }
  return folder;
}

bool SocketAddress(const std::string& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

} // namespace

struct SingleInstance::State {
  bool singleInstance = false; // the mode is in force
  bool isPrimaryInstance = false;
  int lock = -1;
  int connection = -1; // a second start's, to the primary
  std::string socketPath;
  pthread_t listenerThread{};
  bool listening = false;

  ~State() {
    if (connection >= 0) {
      close(connection);
    }
    if (lock >= 0) {
      close(lock);
    }
  }

  bool BecomePrimary(const std::wstring& mainClass) {
    if (primary == nullptr) {
      primary = new Primary; // lives as long as the process, see Primary
      on_exit(AnswerAtExit, nullptr);
    }
    primary->mainClass = mainClass;
    sockaddr_un address;
    if (!SocketAddress(socketPath, address)) {
      return false;
    }
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
      return false;
    }
    // A socket left by a primary that crashed; the lock says none is running.
    unlink(socketPath.c_str());
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, SOMAXCONN) != 0) {
      close(listener);
      return false;
    }
    primary->listener = listener;
    if (pthread_create(&listenerThread, nullptr, Listen, nullptr) != 0) {
      close(listener);
      unlink(socketPath.c_str());
      primary->listener = -1;
      return false;
    }
    listening = true;
    return true;
  }

  bool HandOver(const std::vector<std::wstring>& arguments) {
    const std::optional<PackedArguments> packed = PackArguments(arguments);
    sockaddr_un address;
    if (!packed || !SocketAddress(socketPath, address)) {
      return false;
    }
    connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connection < 0 ||
        connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      return false;
    }
    ucred peer{};
    socklen_t length = sizeof peer;
    return getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           peer.uid == geteuid() && SendAll(connection, packed->data(), packed->size());
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
  const std::string folder = InstanceFolder();
  if (folder.empty()) {
    return true;
  }
  const std::string base = folder + "/" + InstanceDigest(InstanceName(modulePath));
  state_->socketPath = base + ".sock";
  state_->lock = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (state_->lock < 0) {
    return true;
  }
  if (flock(state_->lock, LOCK_EX | LOCK_NB) == 0) {
    // As on Windows, a primary that cannot listen keeps what it took, so later starts fail
    // rather than start a second copy of the application.
    state_->isPrimaryInstance = true;
    state_->singleInstance = state_->BecomePrimary(mainClass);
    return true;
  }
  if (errno != EWOULDBLOCK) {
    return true;
  }
  state_->singleInstance = true;
  close(state_->lock);
  state_->lock = -1;
  return state_->HandOver(arguments);
}

bool SingleInstance::IsPrimary() const {
  return state_->singleInstance && state_->isPrimaryInstance;
}

bool SingleInstance::IsSecondStart() const {
  return state_->singleInstance && !state_->isPrimaryInstance;
}

int32_t SingleInstance::AwaitReply() {
  uint8_t message[kReplyMessageSize];
  const size_t received = ReceiveAll(state_->connection, message, sizeof message);
  return DecodeReply(message, received).value_or(kPrimaryLost);
}

void SingleInstance::MainStarting(JavaVM* javaVm, bool stayAttached) {
  if (!IsPrimary()) {
    return;
  }
  std::lock_guard<std::mutex> lock(primary->mutex);
  primary->target = HandoverTarget{javaVm, primary->mainClass, stayAttached};
  primary->mainStarted = true;
  primary->started.notify_all();
}

void SingleInstance::Stop() {
  if (state_->listening) {
    // Wakes the listener out of accept; connections already taken are served on.
    shutdown(primary->listener, SHUT_RDWR);
    pthread_join(state_->listenerThread, nullptr);
    close(primary->listener);
    primary->listener = -1;
    unlink(state_->socketPath.c_str());
    state_->listening = false;
  }
  state_.reset(new State);
}

} // namespace launcher
