#include "Inet.h"

// Placeholder until the transfer is built: every fetch fails.
Inet::Inet(QObject* parent)
    : QObject(parent)
{
}

Inet::~Inet() = default;

std::optional<QString> Inet::FetchText(const QString&)
{
    return std::nullopt;
}

std::optional<QByteArray> Inet::FetchBytes(const QString&)
{
    return std::nullopt;
}

void Inet::Cancel()
{
}
