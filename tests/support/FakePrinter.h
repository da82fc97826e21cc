#pragma once

#include <QList>

#include "platform/Printer.h"

class FakePrinter final : public Printer
{
public:
    [[nodiscard]] bool print(const QImage& picture, QString* errorMessage) override
    {
        if (m_fails) {
            if (errorMessage) {
                *errorMessage = QStringLiteral("No printer is available.");
            }
            return false;
        }
        m_printed.append(picture);
        return true;
    }

    void setFails(bool fails) { m_fails = fails; }
    const QList<QImage>& printed() const { return m_printed; }

private:
    QList<QImage> m_printed;
    bool m_fails = false;
};
