#include "StorableText.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

#include <utility>

#include "core/Cp1252.h"

namespace {

// The settings file keeps its texts in Windows-1252: Western European letters and the usual signs.
class StorableTextValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*pos*/) const override
    {
        m_refused.clear();
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (fitsCp1252(input.at(i))) {
                continue;
            }
            // A character beyond the 16-bit range is two units; name it whole.
            const qsizetype length = input.at(i).isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
            const QString character = input.mid(i, length);
            if (!m_refused.contains(character)) {
                m_refused += character;
            }
            i += length - 1;
        }
        return m_refused.isEmpty() ? Acceptable : Invalid;
    }

    // What the last refused text held that the file cannot, once.
    QString takeRefused() const { return std::exchange(m_refused, QString()); }

private:
    mutable QString m_refused;
};

} // namespace

void acceptOnlyStorableText(QLineEdit* box)
{
    auto* validator = new StorableTextValidator(box);
    box->setValidator(validator);
    QObject::connect(box, &QLineEdit::inputRejected, box, [box, validator] {
        // A box that is full refuses input too; it says nothing then, as before.
        const QString refused = validator->takeRefused();
        if (refused.isEmpty()) {
            return;
        }
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())),
                           QStringLiteral("HUXO keeps this text in Western European letters only, so it cannot keep "
                                          "\u201C%1\u201D.")
                               .arg(refused),
                           box);
    });
}
