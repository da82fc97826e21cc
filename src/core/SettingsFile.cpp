#include "SettingsFile.h"

#include <QtEndian>

#include <array>
#include <cstring>
#include <variant>

#include "core/Cp1252.h"
#include "core/RegularFile.h"
#include "core/SettingsRange.h"
#include "core/WholeFile.h"

namespace SettingsFile {
namespace {

constexpr int VariantEmpty = 0;
constexpr int VariantString = 8;
constexpr int MaxVariantTextLength = RecordLength - 4;
constexpr int ProxyHalfLength = 15;
constexpr int FirstProxyRecord = 34;
constexpr int SecondProxyRecord = 35;
constexpr int UsedBytes = RecordCount * RecordLength;
const QByteArray Signature = QByteArrayLiteral("HUXO 5.1");

// A record's value: which member it lives in decides how it is encoded. The codes are 16-bit numbers as well.
using Field = std::variant<qint16 Settings::*,
                           Flag Settings::*,
                           Colours Settings::*,
                           ServerBase Settings::*,
                           Connection Settings::*,
                           float Settings::*,
                           QString Settings::*,
                           std::optional<QString> Settings::*,
                           QByteArray Settings::*>;

struct Record
{
    int number;
    Field field;
};

// Records 34 and 35 hold the two halves of ProxyName and are handled on their own.
const std::array<Record, 36> Records = {{
    {2, &Settings::WinHeight},   {3, &Settings::Reserved3},  {4, &Settings::BOffset},
    {5, &Settings::CCaption},    {6, &Settings::COffset},    {7, &Settings::DCaption},
    {8, &Settings::DOffset},     {9, &Settings::ECaption},   {10, &Settings::EOffset},
    {11, &Settings::Reserved11}, {12, &Settings::CHourOn},   {13, &Settings::DHourOn},
    {14, &Settings::EHourOn},    {15, &Settings::BHourOn},   {16, &Settings::ColourScheme},
    {17, &Settings::WinTop},     {18, &Settings::WinLeft},   {19, &Settings::AnaloguesHidden},
    {20, &Settings::LocCaption}, {21, &Settings::MServer},   {22, &Settings::FCaption},
    {23, &Settings::FOffset},    {24, &Settings::FHourOn},   {25, &Settings::GCaption},
    {26, &Settings::GOffset},    {27, &Settings::GHourOn},   {28, &Settings::StartMin},
    {29, &Settings::WinWidth},   {30, &Settings::ACTime},    {31, &Settings::ACTOn},
    {32, &Settings::ACTUpdates}, {33, &Settings::NetAccess}, {36, &Settings::TimeServer},
    {37, &Settings::CalShown},   {38, &Settings::SetupDone}, {39, &Settings::TaskbarClock3},
}};

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

void decodeRecord(const char* at, Settings& settings, const Field& field)
{
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Value, qint16> || std::is_enum_v<Value>) {
                settings.*member = Value(qint16(readWord(at)));
            } else if constexpr (std::is_same_v<Value, float>) {
                settings.*member = readSingle(at);
            } else if constexpr (std::is_same_v<Value, QString>) {
                settings.*member = readText(at, MaxTextLength);
            } else if constexpr (std::is_same_v<Value, std::optional<QString>>) {
                // Anything but a string variant (a damaged type word included) reads as no value.
                settings.*member = std::nullopt;
                if (readWord(at) == VariantString) {
                    settings.*member = readText(at + 2, MaxVariantTextLength);
                }
            } else {
                settings.*member = QByteArray(at, RecordLength);
            }
        },
        field);
}

void encodeRecord(char* at, const Settings& settings, const Field& field)
{
    std::visit(
        [&](auto member) {
            const auto& value = settings.*member;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, qint16> || std::is_enum_v<Value>) {
                writeWord(at, quint16(value));
            } else if constexpr (std::is_same_v<Value, float>) {
                writeSingle(at, value);
            } else if constexpr (std::is_same_v<Value, QString>) {
                writeText(at, value, MaxTextLength);
            } else if constexpr (std::is_same_v<Value, std::optional<QString>>) {
                writeWord(at, value ? VariantString : VariantEmpty);
                if (value) {
                    writeText(at + 2, *value, MaxVariantTextLength);
                }
            } else {
                std::memcpy(at, value.constData(), size_t(qMin<qsizetype>(value.size(), RecordLength)));
            }
        },
        field);
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

} // namespace

Settings decode(const QByteArray& fileBytes)
{
    // A record the file does not hold whole is a missing record.
    const qsizetype wholeRecords = qMin<qsizetype>(fileBytes.size(), UsedBytes) / RecordLength * RecordLength;
    QByteArray padded = fileBytes.left(wholeRecords);
    padded.append(UsedBytes - padded.size(), '\0');
    const QByteArray& records = padded;

    Settings settings;
    for (const Record& record : Records) {
        decodeRecord(recordAt(records, record.number), settings, record.field);
    }
    settings.ProxyName = readText(recordAt(records, FirstProxyRecord), ProxyHalfLength)
                         + readText(recordAt(records, SecondProxyRecord), ProxyHalfLength);
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

    for (const Record& record : Records) {
        encodeRecord(recordAt(records, record.number), settings, record.field);
    }
    writeText(recordAt(records, FirstProxyRecord),
              trimLeadingBlanks(settings.ProxyName.left(ProxyHalfLength)),
              ProxyHalfLength);
    writeText(recordAt(records, SecondProxyRecord),
              trimTrailingBlanks(settings.ProxyName.mid(ProxyHalfLength, ProxyHalfLength)),
              ProxyHalfLength);
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
