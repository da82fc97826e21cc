// Any bytes as the first record of "dst.txt": no crash, and the text never holds more than the record and its
// length field allow.
#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "zones/DstText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype length = DstText::decodeRecord(bytes).size();
    const qsizetype held = std::max<qsizetype>(std::min<qsizetype>(bytes.size(), DstText::RecordLength) - 2, 0);
    const qsizetype claimed = bytes.size() < 2 ? 0 : quint8(bytes[0]) | (quint8(bytes[1]) << 8);
    if (length != std::min(held, claimed)) {
        std::abort();
    }
    return 0;
}
