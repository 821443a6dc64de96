#include "roles.h"

#include <climits>

namespace fake_jvm {
namespace {

// A role of the form prefix followed by a number, such as exit:3.
bool RoleWithCode(std::string_view role, std::string_view prefix, int& code) {
  long long value = 0;
  if (role.substr(0, prefix.size()) != prefix ||
      !ParseInteger(role.substr(prefix.size()), INT_MIN, INT_MAX, value)) {
    return false;
  }
  code = static_cast<int>(value);
  return true;
}

void ApplyRole(std::string_view role, Roles& roles) {
  if (role == "returns") {
    roles.main = MainBehaviour::kReturn;
  } else if (role == "throws") {
    roles.main = MainBehaviour::kThrow;
  } else if (RoleWithCode(role, "exit:", roles.exitCode)) {
    roles.main = MainBehaviour::kExit;
  } else if (RoleWithCode(role, "create-fails:", roles.createResult)) {
    roles.createFails = true;
  } else if (role == "missing-class") {
    roles.missingClass = true;
  } else if (role == "helper-throws") {
    roles.helperThrows = true;
  } else if (role == "no-helper") {
    roles.noHelper = true;
  } else if (role == "no-main") {
    roles.noMain = true;
  } else if (role == "no-main-pending") {
    roles.noMainPending = true;
  } else if (role == "detach-fails") {
    roles.detachFails = true;
  } else {
    roles.unknown.emplace_back(role);
  }
}

} // namespace

bool ParseInteger(std::string_view text, long long minimum, long long maximum, long long& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 18) {
    return false;
  }
  long long magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    magnitude = magnitude * 10 + (c - '0');
  }
  const long long result = negative ? -magnitude : magnitude;
  if (result < minimum || result > maximum) {
    return false;
  }
  value = result;
  return true;
}

Roles ParseRoles(std::string_view text) {
  Roles roles;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view role = text.substr(0, comma);
    if (!role.empty()) {
      ApplyRole(role, roles);
    }
    if (comma == std::string_view::npos) {
      break;
    }
    text.remove_prefix(comma + 1);
  }
  return roles;
}

} // namespace fake_jvm
