#include "SettingsFile.h"

#include <QtEndian>

#include <cstring>
#include <optional>
#include <variant>

#include "core/Cp1252.h"
#include "core/RegularFile.h"
#include "core/SettingsRange.h"
#include "core/WholeFile.h"

namespace SettingsFile {
namespace {

using SettingsRecords::Halves;
using SettingsRecords::Records;

constexpr int VariantEmpty = 0;
constexpr int VariantString = 8;
constexpr int MaxVariantTextLength = RecordLength - 4;
constexpr int HalfLength = 15;
constexpr int UsedBytes = RecordCount * RecordLength;
const QByteArray Signature = QByteArrayLiteral("HUXO 5.1");

quint16 readWord(const char* at)
{
    return qFromLittleEndian<quint16>(at);
}

void writeWord(char* at, quint16 value)
{
    qToLittleEndian<quint16>(value, at);
}

// Text of at most maxLength bytes after a length word; a damaged length never reaches past the record.
QString readText(const char* lengthAt, int maxLength)
{
    const int length = qMin<int>(readWord(lengthAt), maxLength);
    return fromCp1252(QByteArray(lengthAt + 2, length));
}

void writeText(char* lengthAt, const QString& text, int maxLength)
{
    const QByteArray bytes = toCp1252(text).left(maxLength);
    writeWord(lengthAt, quint16(bytes.size()));
    std::memcpy(lengthAt + 2, bytes.constData(), size_t(bytes.size()));
}

float readSingle(const char* at)
{
    const quint32 bits = qFromLittleEndian<quint32>(at);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeSingle(char* at, float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian<quint32>(bits, at);
}

const char* recordAt(const QByteArray& records, int number)
{
    return records.constData() + (number - 1) * RecordLength;
}

char* recordAt(QByteArray& records, int number)
{
    return records.data() + (number - 1) * RecordLength;
}

QString trimLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ') {
        ++start;
    }
    return text.mid(start);
}

QString trimTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') {
        --end;
    }
    return text.left(end);
}

template <SettingsRecords::Word Value>
void decodeValue(const char* at, Value& value)
{
    value = Value(qint16(readWord(at)));
}

void decodeValue(const char* at, float& value)
{
    value = readSingle(at);
}

void decodeValue(const char* at, QString& value)
{
    value = readText(at, MaxTextLength);
}

void decodeValue(const char* at, std::optional<QString>& value)
{
    // Anything but a string variant (a damaged type word included) reads as no value.
    value = std::nullopt;
    if (readWord(at) == VariantString) {
        value = readText(at + 2, MaxVariantTextLength);
    }
}

void decodeValue(const char* at, QByteArray& value)
{
    value = QByteArray(at, RecordLength);
}

template <SettingsRecords::Word Value>
void encodeValue(char* at, Value value)
{
    writeWord(at, quint16(value));
}

void encodeValue(char* at, float value)
{
    writeSingle(at, value);
}

void encodeValue(char* at, const QString& value)
{
    writeText(at, value, MaxTextLength);
}

void encodeValue(char* at, const std::optional<QString>& value)
{
    writeWord(at, value ? VariantString : VariantEmpty);
    if (value) {
        writeText(at + 2, *value, MaxVariantTextLength);
    }
}

void encodeValue(char* at, const QByteArray& value)
{
    std::memcpy(at, value.constData(), size_t(qMin<qsizetype>(value.size(), RecordLength)));
}

template <typename Member>
void decodeField(const char* at, Member member, Settings& settings)
{
    decodeValue(at, settings.*member);
}

template <typename Member>
void encodeField(char* at, Member member, const Settings& settings)
{
    encodeValue(at, settings.*member);
}

// The halves are written as the file has always had them: the first without its leading blanks, the second without
// its trailing ones.
void decodeField(const char* at, Halves halves, Settings& settings)
{
    settings.*halves.member = readText(at, HalfLength) + readText(at + RecordLength, HalfLength);
}

void encodeField(char* at, Halves halves, const Settings& settings)
{
    const QString& text = settings.*halves.member;
    writeText(at, trimLeadingBlanks(text.left(HalfLength)), HalfLength);
    writeText(at + RecordLength, trimTrailingBlanks(text.mid(HalfLength, HalfLength)), HalfLength);
}

} // namespace

Settings decode(const QByteArray& fileBytes)
{
    // A record the file does not hold whole is a missing record.
    const qsizetype wholeRecords = qMin<qsizetype>(fileBytes.size(), UsedBytes) / RecordLength * RecordLength;
    QByteArray padded = fileBytes.left(wholeRecords);
    padded.append(UsedBytes - padded.size(), '\0');
    const QByteArray& records = padded;

    Settings settings;
    for (const SettingsRecords::Record& record : Records) {
        const char* at = recordAt(records, record.number);
        std::visit([&](auto member) { decodeField(at, member, settings); }, record.field);
    }
    settings.BeyondLastRecord = fileBytes.mid(UsedBytes, MaxBeyondLastRecord);
    bringIntoRange(settings);
    return settings;
}

QByteArray encode(const Settings& settings)
{
    QByteArray records(RecordCount * RecordLength, '\0');
    char* signature = recordAt(records, 1);
    writeWord(signature, quint16(Signature.size()));
    std::memcpy(signature + 2, Signature.constData(), size_t(Signature.size()));

    for (const SettingsRecords::Record& record : Records) {
        char* at = recordAt(records, record.number);
        std::visit([&](auto member) { encodeField(at, member, settings); }, record.field);
    }
    return records + settings.BeyondLastRecord;
}

ReadResult read(const QString& path, Settings& settings, QString* errorMessage)
{
    const RegularFile::Reading file = RegularFile::read(path, UsedBytes + MaxBeyondLastRecord);
    settings = decode(file.bytes);
    switch (file.status) {
    case RegularFile::Status::Missing:
        // A first start: leave an empty file behind, as a later read would find it. If the folder refuses,
        // nothing is lost yet; the first save reports the problem.
        RegularFile::createEmpty(path);
        return ReadResult::Read;
    case RegularFile::Status::Refused:
        if (errorMessage) {
            *errorMessage = file.error;
        }
        return ReadResult::Failed;
    case RegularFile::Status::Read:
        break;
    }
    if (file.size > file.bytes.size()) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("It is %1 bytes long. HUXO reads its settings from the start of it and "
                                           "keeps only the first %2 bytes when it saves them.")
                                .arg(QString::number(file.size), QString::number(file.bytes.size()));
        }
        return ReadResult::Shortened;
    }
    return ReadResult::Read;
}

bool write(const QString& path, const Settings& settings, QString* errorMessage)
{
    return writeWholeFile(path, encode(settings), errorMessage);
}

} // namespace SettingsFile
