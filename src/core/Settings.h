#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "core/StateCodes.h"

// Every value the settings file remembers, one member per record, named as the rest of the program knows it.
struct Settings
{
    qint16 WinHeight = 0;                              // record 2, twips
    QByteArray Reserved3;                              // record 3, kept byte for byte
    float BOffset = 0;                                 // record 4: minus the local zone's offset from GMT, hours
    QString CCaption;                                  // record 5
    float COffset = 0;                                 // record 6
    QString DCaption;                                  // record 7
    float DOffset = 0;                                 // record 8
    QString ECaption;                                  // record 9
    float EOffset = 0;                                 // record 10
    QByteArray Reserved11;                             // record 11, kept byte for byte
    qint16 CHourOn = 0;                                // record 12: seasonal hour of clock C, 0 or 1
    qint16 DHourOn = 0;                                // record 13
    qint16 EHourOn = 0;                                // record 14
    qint16 BHourOn = 0;                                // record 15: minus the local seasonal hour, 0 or -1
    Colours ColourScheme = Colours::System;            // record 16
    float WinTop = 0;                                  // record 17, twips
    float WinLeft = 0;                                 // record 18, twips
    Flag AnaloguesHidden = Flag::Off;                  // record 19
    QString LocCaption;                                // record 20
    ServerBase MServer = ServerBase::Fresh;            // record 21
    QString FCaption;                                  // record 22
    float FOffset = 0;                                 // record 23
    qint16 FHourOn = 0;                                // record 24
    QString GCaption;                                  // record 25
    float GOffset = 0;                                 // record 26
    qint16 GHourOn = 0;                                // record 27
    Flag StartMin = Flag::Off;                         // record 28
    qint16 WinWidth = 0;                               // record 29, twips
    std::optional<QString> ACTime;                     // record 30: "HH:MM", or no value at all
    Flag ACTOn = Flag::Off;                            // record 31
    Flag ACTUpdates = Flag::Off;                       // record 32
    Connection NetAccess = Connection::SystemSettings; // record 33
    QString ProxyName;                                 // records 34 and 35, fifteen characters each
    qint16 TimeServer = 0;                             // record 36
    Flag CalShown = Flag::Off;                         // record 37
    Flag SetupDone = Flag::Off;                        // record 38
    Flag TaskbarClock3 = Flag::Off;                    // record 39

    QByteArray BeyondLastRecord; // whatever a file holds after record 39, written back unchanged
};
