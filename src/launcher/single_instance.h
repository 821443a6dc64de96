#pragma once

// Single-instance mode: the first start of an executable becomes the primary and hosts the
// application; every later start of the same executable hands its arguments to the primary,
// whose application receives them in secondaryMain (handover_request.h), and ends with the
// primary's reply.
//
// Windows: a named mapping holding the shared record (handover_area.h), an event set right
// before main, a registered message, a listener thread that starts one request thread per
// hand-over, and thread messages back. A second start holds a named mutex from writing the
// argument area until the primary has copied it out, so that hand-overs made at the same
// moment cannot overwrite one another; it waits for the reply or the primary's end at once,
// on its message queue and the primary's process handle.
// Linux: the primary holds an advisory lock on a file in the user's runtime folder
// ($XDG_RUNTIME_DIR, else a folder of the user's own in /tmp, either entered by the user
// alone) for its whole life, so a primary that crashed leaves no stale instance behind, and
// listens on a local socket beside it, named by the instance name's digest. It accepts
// connections of the same user only. A second start sends the same 1040 packed bytes and
// waits for the reply; when the primary ends first, it sends its exit code to every second
// start still waiting, and one that dies without a word leaves them with -1.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <jni.h>

namespace launcher {

class SingleInstance {
public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // The set-up once the settings are read. With the mode wanted: becomes the primary, or, as a
  // second start, hands `arguments` over. When the platform's objects cannot be had the mode
  // is switched off and the process runs as an ordinary instance. False when a second start
  // could not hand over (its arguments do not fit, or the primary cannot be reached): the
  // process then ends with -1. Shows no message.
  bool SetUp(const std::wstring& modulePath, bool wanted,
             const std::vector<std::wstring>& arguments, const std::wstring& mainClass);

  bool IsPrimary() const;
  bool IsSecondStart() const;

  // A second start's exit code: the primary's reply, or its exit code when it ends first.
  int32_t AwaitReply();

  // Called on the main-class thread right before main: from now on hand-overs reach the VM.
  void MainStarting(JavaVM* javaVm, bool stayAttached);

  // The teardown: stops the listener and releases the shared objects. Hand-overs still being
  // served are not waited for.
  void Stop();

  struct State;

private:
  std::unique_ptr<State> state_;
};

} // namespace launcher
