// File permissions as an ordinary user meets them, also when the tests run as
// the administrator.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While it lives, the thread's file access is checked by the permission bits
// alone, without the administrator's override: a file of mode 000 cannot be
// read, a folder of mode 555 takes no new names.
class WithoutFileOverride {
public:
    WithoutFileOverride() { Set(false); }
    ~WithoutFileOverride() { Set(true); }
    WithoutFileOverride(const WithoutFileOverride&) = delete;
    WithoutFileOverride& operator=(const WithoutFileOverride&) = delete;

private:
    static void Set(bool overriding) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2]{};
        constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        if (syscall(SYS_capget, &header, caps) != 0)
            return;
        caps[0].effective =
            overriding ? caps[0].effective | (caps[0].permitted & kOverrides) : caps[0].effective & ~kOverrides;
        syscall(SYS_capset, &header, caps);
    }
};
