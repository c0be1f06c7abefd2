// File permissions as an ordinary user meets them, also when the tests run as
// the administrator.
#pragma once

#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

// While it lives, the thread's file access is checked by the permission bits
// alone, without the administrator's override: a file of mode 000 cannot be
// read, a folder of mode 555 takes no new names.
class WithoutFileOverride {
public:
    WithoutFileOverride() { m_dropped = Change(false); }
    ~WithoutFileOverride() {
        if (m_dropped)
            Change(true);
    }
    WithoutFileOverride(const WithoutFileOverride&) = delete;
    WithoutFileOverride& operator=(const WithoutFileOverride&) = delete;

private:
    static bool Change(bool restore) {
#ifdef __linux__
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            return false;
        constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        if (!restore && (data[0].effective & kOverrides) == 0)
            return false;
        data[0].effective =
            restore ? data[0].effective | (data[0].permitted & kOverrides) : data[0].effective & ~kOverrides;
        return syscall(SYS_capset, &header, data) == 0;
#else
        (void)restore;
        return false;
#endif
    }

    bool m_dropped = false;
};
