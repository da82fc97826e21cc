#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Every value the settings file remembers, one member per record, named as the rest of the program knows it.
// Flags are 16-bit integers, 0 = off and -1 = on.
struct Settings
{
    qint16 WinHeight = 0;          // record 2, twips
    QByteArray Reserved3;          // record 3, kept byte for byte
    float BOffset = 0;             // record 4: minus the local zone's offset from GMT, hours
    QString CCaption;              // record 5
    float COffset = 0;             // record 6
    QString DCaption;              // record 7
    float DOffset = 0;             // record 8
    QString ECaption;              // record 9
    float EOffset = 0;             // record 10
    QByteArray Reserved11;         // record 11, kept byte for byte
    qint16 CHourOn = 0;            // record 12: seasonal hour of clock C, 0 or 1
    qint16 DHourOn = 0;            // record 13
    qint16 EHourOn = 0;            // record 14
    qint16 BHourOn = 0;            // record 15: minus the local seasonal hour, 0 or -1
    qint16 ColourScheme = 0;       // record 16: 0 system colours, 1 black
    float WinTop = 0;              // record 17, twips
    float WinLeft = 0;             // record 18, twips
    qint16 AnaloguesHidden = 0;    // record 19
    QString LocCaption;            // record 20
    qint16 MServer = 0;            // record 21: update server base address in use, 1 or 2
    QString FCaption;              // record 22
    float FOffset = 0;             // record 23
    qint16 FHourOn = 0;            // record 24
    QString GCaption;              // record 25
    float GOffset = 0;             // record 26
    qint16 GHourOn = 0;            // record 27
    qint16 StartMin = 0;           // record 28
    qint16 WinWidth = 0;           // record 29, twips
    std::optional<QString> ACTime; // record 30: "HH:MM", or no value at all
    qint16 ACTOn = 0;              // record 31
    qint16 ACTUpdates = 0;         // record 32
    qint16 NetAccess = 0;          // record 33: 0 system settings, 1 direct, 2 named proxy
    QString ProxyName;             // records 34 and 35, fifteen characters each
    qint16 TimeServer = 0;         // record 36
    qint16 CalShown = 0;           // record 37
    qint16 SetupDone = 0;          // record 38
    qint16 TaskbarClock3 = 0;      // record 39

    QByteArray BeyondLastRecord; // whatever a file holds after record 39, written back unchanged
};
