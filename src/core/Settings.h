#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "core/StateCodes.h"

// Every value the settings file remembers, named as the rest of the program knows it. SettingsRecords.h gives each
// its record.
struct Settings
{
    qint16 WinHeight = 0; // twips
    QByteArray Reserved3; // kept byte for byte
    float BOffset = 0;    // minus the local zone's offset from GMT, hours
    QString CCaption;
    float COffset = 0;
    QString DCaption;
    float DOffset = 0;
    QString ECaption;
    float EOffset = 0;
    QByteArray Reserved11; // kept byte for byte
    qint16 CHourOn = 0;    // seasonal hour of clock C, 0 or 1
    qint16 DHourOn = 0;
    qint16 EHourOn = 0;
    qint16 BHourOn = 0; // minus the local seasonal hour, 0 or -1
    Colours ColourScheme = Colours::System;
    float WinTop = 0;  // twips
    float WinLeft = 0; // twips
    Flag AnaloguesHidden = Flag::Off;
    QString LocCaption;
    ServerBase MServer = ServerBase::Fresh;
    QString FCaption;
    float FOffset = 0;
    qint16 FHourOn = 0;
    QString GCaption;
    float GOffset = 0;
    qint16 GHourOn = 0;
    Flag StartMin = Flag::Off;
    qint16 WinWidth = 0;           // twips
    std::optional<QString> ACTime; // "HH:MM", or no value at all
    Flag ACTOn = Flag::Off;
    Flag ACTUpdates = Flag::Off;
    Connection NetAccess = Connection::SystemSettings;
    QString ProxyName; // up to thirty characters
    qint16 TimeServer = 0;
    Flag CalShown = Flag::Off;
    Flag SetupDone = Flag::Off;
    Flag TaskbarClock3 = Flag::Off;

    QByteArray BeyondLastRecord; // whatever a file holds after the last record, written back unchanged
};
