#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <type_traits>
#include <variant>

#include "core/Settings.h"

// The records of the settings file, one row each: its number, the member of Settings it holds and what a value read
// from a file is kept to. Reading, writing and bringing values into range all go by this one table, so a new stored
// setting is a member of Settings and a row here.
namespace SettingsRecords {

// A text split over two records of fifteen characters each.
struct Halves
{
    QString Settings::*member;
};

// Where a record's value lives. The member's type decides the encoding: a 16-bit number or code is one word, a float
// a single, a QString a text after its length, an optional QString a string variant or none, a QByteArray the whole
// record byte for byte.
using Field = std::variant<qint16 Settings::*,
                           Flag Settings::*,
                           Colours Settings::*,
                           ServerBase Settings::*,
                           Connection Settings::*,
                           float Settings::*,
                           QString Settings::*,
                           Halves,
                           std::optional<QString> Settings::*,
                           QByteArray Settings::*>;

// A value stored as one 16-bit word: a number or one of the codes of StateCodes.h.
template <typename Value>
concept Word = std::is_same_v<Value, qint16> || std::is_same_v<std::underlying_type_t<Value>, qint16>;

// A value whose every stored form is kept: a number that is not a code, a text or reserved bytes.
template <typename Value>
concept StoredAsIs = !std::is_enum_v<Value> && !std::is_same_v<Value, float>;

// What a value read from a file is kept to.
enum class Range
{
    Any,               // every value is kept
    OneOf,             // one of the allowed codes; any other becomes the fallback
    ZoneOffset,        // an offset a zone can have, the nearest one for any other
    NegatedZoneOffset, // the local zone's offset negated, as the GMT / UTC clock keeps it
    WindowPosition,    // a position on some screen; not a number is 0
};

// The 16-bit values a OneOf record may hold, and the one it takes for any other.
struct Codes
{
    std::array<qint16, 4> allowed = {};
    int count = 0;
    qint16 fallback = 0;

    constexpr bool contains(qint16 code) const
    {
        return std::find(allowed.begin(), allowed.begin() + count, code) != allowed.begin() + count;
    }
};

struct Record
{
    int number = 0;
    Field field;
    Range range = Range::Any;
    Codes codes;

    // A number, text or reserved record, kept as stored. A code always names the values it may have.
    template <StoredAsIs Value>
    constexpr Record(int recordNumber, Value Settings::*member)
        : number(recordNumber)
        , field(member)
    {
    }

    constexpr Record(int recordNumber, Halves halves)
        : number(recordNumber)
        , field(halves)
    {
    }

    constexpr Record(int recordNumber, float Settings::*member, Range floatRange)
        : number(recordNumber)
        , field(member)
        , range(floatRange)
    {
    }

    template <Word Value>
    constexpr Record(int recordNumber,
                     Value Settings::*member,
                     std::initializer_list<std::type_identity_t<Value>> allowed,
                     std::type_identity_t<Value> fallback)
        : number(recordNumber)
        , field(member)
        , range(Range::OneOf)
    {
        for (const Value value : allowed) {
            codes.allowed.at(size_t(codes.count++)) = qint16(value);
        }
        codes.fallback = qint16(fallback);
    }

    // How many records the value takes.
    constexpr int length() const { return std::holds_alternative<Halves>(field) ? 2 : 1; }
};

// Record 1 holds the file's signature; the settings follow it. A flag reads as off when it is neither off nor on,
// unless the program has always taken it as on whenever it is not 0.
inline constexpr auto Records = std::to_array<Record>({
    {2, &Settings::WinHeight},
    {3, &Settings::Reserved3},
    {4, &Settings::BOffset, Range::NegatedZoneOffset},
    {5, &Settings::CCaption},
    {6, &Settings::COffset, Range::ZoneOffset},
    {7, &Settings::DCaption},
    {8, &Settings::DOffset, Range::ZoneOffset},
    {9, &Settings::ECaption},
    {10, &Settings::EOffset, Range::ZoneOffset},
    {11, &Settings::Reserved11},
    {12, &Settings::CHourOn, {0, 1}, 0},
    {13, &Settings::DHourOn, {0, 1}, 0},
    {14, &Settings::EHourOn, {0, 1}, 0},
    {15, &Settings::BHourOn, {0, -1}, 0}, // the local seasonal hour negated
    {16, &Settings::ColourScheme, {Colours::System, Colours::Black}, Colours::System},
    {17, &Settings::WinTop, Range::WindowPosition},
    {18, &Settings::WinLeft, Range::WindowPosition},
    {19, &Settings::AnaloguesHidden, {Flag::Off, Flag::On}, Flag::Off},
    {20, &Settings::LocCaption},
    {21, &Settings::MServer, {ServerBase::Fresh, ServerBase::Primary, ServerBase::Fallback}, ServerBase::Primary},
    {22, &Settings::FCaption},
    {23, &Settings::FOffset, Range::ZoneOffset},
    {24, &Settings::FHourOn, {0, 1}, 0},
    {25, &Settings::GCaption},
    {26, &Settings::GOffset, Range::ZoneOffset},
    {27, &Settings::GHourOn, {0, 1}, 0},
    {28, &Settings::StartMin, {Flag::Off, Flag::On}, Flag::Off},
    {29, &Settings::WinWidth},
    {30, &Settings::ACTime},
    {31, &Settings::ACTOn, {Flag::Off, Flag::On}, Flag::Off},
    {32, &Settings::ACTUpdates, {Flag::Off, Flag::On}, Flag::Off},
    {33,
     &Settings::NetAccess,
     {Connection::SystemSettings, Connection::Direct, Connection::Proxy},
     Connection::SystemSettings},
    {34, Halves{&Settings::ProxyName}},                          // records 34 and 35
    {36, &Settings::TimeServer, {0, 1, 2, 3}, 0},                // 0 in a fresh file: no server has answered yet
    {37, &Settings::CalShown, {Flag::Off, Flag::On}, Flag::On},  // on whenever not 0
    {38, &Settings::SetupDone, {Flag::Off, Flag::On}, Flag::On}, // on whenever not 0
    {39, &Settings::TaskbarClock3, {Flag::Off, Flag::On}, Flag::Off},
});

// Each record follows the one before without a gap, and each range suits its member.
constexpr bool wellFormed()
{
    int next = 2;
    for (const Record& record : Records) {
        const bool isFloat = std::holds_alternative<float Settings::*>(record.field);
        const bool floatRange = record.range == Range::ZoneOffset || record.range == Range::NegatedZoneOffset
                                || record.range == Range::WindowPosition;
        if (record.number != next || isFloat != floatRange
            || (record.range == Range::OneOf && !record.codes.contains(record.codes.fallback))) {
            return false;
        }
        next += record.length();
    }
    return true;
}
static_assert(wellFormed(), "a record is missing, repeated, or has a range that does not suit its member");

inline constexpr int LastRecord = Records.back().number + Records.back().length() - 1;

// Calls use with a reference to the record's value in settings (a split text whole).
template <typename AnySettings, typename Use>
void visitValue(AnySettings& settings, const Record& record, Use&& use)
{
    std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), Halves>) {
                use(settings.*member.member);
            } else {
                use(settings.*member);
            }
        },
        record.field);
}

} // namespace SettingsRecords
