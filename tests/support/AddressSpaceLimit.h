#pragma once

#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

// While it lives, this process may take only so many bytes of address space beyond what it holds: an allocation
// past that fails as on a machine out of memory. AddressSanitizer reserves terabytes up front, so a sanitized build
// runs without the limit.
class AddressSpaceLimit final
{
public:
    explicit AddressSpaceLimit(rlim_t headroomBytes)
    {
        getrlimit(RLIMIT_AS, &m_saved);
#ifndef __SANITIZE_ADDRESS__
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + headroomBytes;
        if (pages > 0) {
            setrlimit(RLIMIT_AS, &limit);
        }
#endif
    }
    ~AddressSpaceLimit()
    {
        setrlimit(RLIMIT_AS, &m_saved);
    }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit m_saved{};
};
