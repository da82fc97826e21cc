#pragma once

#include <unistd.h>

// Owns an open file or socket of the system and closes it when it goes.
class FileDescriptor final
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};
