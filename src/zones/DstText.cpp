#include "DstText.h"

#include <QStringList>

#include <algorithm>

#include "core/Cp1252.h"
#include "core/RegularFile.h"
#include "core/WholeFile.h"

using namespace Qt::StringLiterals;

namespace DstText {

QString decodeRecord(const QByteArray& bytes)
{
    if (bytes.size() < 2) {
        return {};
    }
    const int claimed = quint8(bytes[0]) | (quint8(bytes[1]) << 8);
    const qsizetype held = std::min<qsizetype>(bytes.size(), RecordLength) - 2;
    return fromCp1252(bytes.mid(2, std::min<qsizetype>({claimed, held, MaxTextLength})));
}

QString readFile(const QString& path)
{
    const RegularFile::Reading file = RegularFile::read(path, RecordLength);
    if (file.status == RegularFile::Status::Missing) {
        // An empty file left behind where there was none, as the update retrieval expects.
        RegularFile::createEmpty(path);
    }
    return decodeRecord(file.bytes);
}

bool writeFile(const QString& path, const QString& text, QString* errorMessage)
{
    const QByteArray bytes = toCp1252(text);
    if (bytes.size() > MaxTextLength) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("the text is longer than the file can hold.");
        }
        return false;
    }
    const quint16 length = quint16(bytes.size());
    QByteArray record;
    record.reserve(2 + bytes.size());
    record.append(char(length & 0xff)).append(char(length >> 8)).append(bytes);
    return writeNewRegularFile(path, record, errorMessage);
}

QString builtInNotice()
{
    static const QStringList lines = {
        u"The proper text file DST.TXT is not in your HUXO "_s,
        u"folder. This file can help you find up-to-date "_s,
        u"time-zone information and daylight saving time "_s,
        u"rules for hundreds of locations around the world. "_s,
        QString(),
        u"Here is an extract..."_s,
        QString(),
        u"(No guarantee is given that the following "_s,
        u"information is correct or up-to-date. If you rely "_s,
        u"on this information you do so at your own risk.)"_s,
        QString(),
        u"Hanoi, Vietnam  =  GMT+7"_s,
        u"No changes. "_s,
        QString(),
        u"Harare, Zimbabwe  =  GMT+2"_s,
        u"No changes. "_s,
        QString(),
        u"Havana, Cuba  =  GMT-5 "_s,
        u"DST (+1) begins first Sunday after 13 Mar. 00:00. "_s,
        u"Rtn. to standard time first Sunday after 7 Oct. "_s,
        QString(),
        u"Hawaii  =  GMT-10 "_s,
        u"No changes."_s,
        QString(),
        u"Helsinki, Finland  =  GMT+2 "_s,
        u"DST (+1) begins last Sunday in Mar. 02:00. "_s,
        u"Rtn. to standard time last Sunday in Oct. 02:00. "_s,
        QString(),
        u"Hobart, Tasmania, Australia  =  GMT+10 "_s,
        u"DST (+1) begins first Sunday in Oct. 02:00. "_s,
        u"Rtn. to standard time last Sunday in Mar. 03:00. "_s,
        QString(),
        u"Hong Kong  =  GMT+8 "_s,
        u"No changes. "_s,
        QString(),
        QString(38, u'.'),
    };
    return lines.join(u"\r\n"_s) + u"\r\n"_s;
}

} // namespace DstText
