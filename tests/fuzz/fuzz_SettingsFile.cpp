// Any bytes at all as "huxo.ini": reading never fails, and once saved, what was read survives further saves and
// reads unchanged. The proxy name is compared without its blanks: a save drops its leading blanks by design, which
// can bare more of them for the next save.
#include <cstdint>
#include <cstdlib>

#include "core/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    Settings once = SettingsFile::decode(SettingsFile::encode(SettingsFile::decode(file)));
    Settings twice = SettingsFile::decode(SettingsFile::encode(once));
    once.ProxyName = once.ProxyName.trimmed();
    twice.ProxyName = twice.ProxyName.trimmed();
    if (SettingsFile::encode(once) != SettingsFile::encode(twice)) {
        std::abort();
    }
    return 0;
}
