#pragma once

#include <unistd.h>

namespace ondalis::testing {

// While it lives, file permissions count even when the tests run as root: the effective user
// becomes "nobody" (65534), and root again at the end. Without root it changes nothing. The
// group stays root's, so give a folder's group the rights its other users have.
class WithoutPrivileges {
public:
    WithoutPrivileges() {
        if (::geteuid() == 0) dropped_ = ::seteuid(65534) == 0;
    }
    ~WithoutPrivileges() {
        if (dropped_ && ::seteuid(0) != 0) ::_exit(3);
    }
    WithoutPrivileges(const WithoutPrivileges&) = delete;
    WithoutPrivileges& operator=(const WithoutPrivileges&) = delete;

    // False when root could not give up its rights (permissions would then not count).
    bool effective() const { return dropped_ || ::geteuid() != 0; }

private:
    bool dropped_ = false;
};

}  // namespace ondalis::testing
