#pragma once

#include <QString>

// The help window's topic texts. Lines end in CR LF and an empty line separates paragraphs; each paragraph is one
// line, which the display wraps to its width.
namespace HelpTopics {

QString generalInformation();
QString settingTheClocks();
QString settingPreferences();
// The licence under the topic's heading, each of its paragraphs on one line, lines ending in CR LF.
QString licensingAgreement(const QString& licence);

} // namespace HelpTopics
