#include "support/ordinary_user.h"

#include <sys/fsuid.h>
#include <unistd.h>

namespace {

constexpr int kNobody = 65534;

// setfsuid reports the previous value and never fails visibly; an invalid id (-1) changes
// nothing and reveals the current one.
int CurrentFsUid() {
  return setfsuid(static_cast<uid_t>(-1));
}

}  // namespace

OrdinaryUserFiles::OrdinaryUserFiles() {
  if (geteuid() != 0) {
    active_ = true;
    return;
  }
  // Group first: once the user id is no longer root, the group can no longer be changed.
  setfsgid(kNobody);
  setfsuid(kNobody);
  switched_ = true;
  active_ = CurrentFsUid() == kNobody;
}

OrdinaryUserFiles::~OrdinaryUserFiles() {
  if (!switched_) return;
  setfsuid(0);
  setfsgid(0);
}
