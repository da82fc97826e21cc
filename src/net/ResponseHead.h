#pragma once

#include <QByteArrayView>

#include <optional>

// The header lines of a server's answer as they arrive: their total size stays bounded, and what they say about the
// body's length decides whether the body can be known to have arrived whole.
class ResponseHead
{
public:
    // All header lines together, those of a proxy's or an interim answer before the final one included.
    static constexpr qint64 MaxBytes = 64 * 1024;

    enum class Verdict
    {
        Fine,
        TooLarge,
        BadLength // lengths that disagree, or one that is no number
    };

    // One line as it arrived, line end included. A status line begins the next answer.
    Verdict add(QByteArrayView line);
    // The blank line after the final answer's headers has arrived.
    bool isComplete() const { return m_complete; }
    // Only an announced length, which the body is held to, or the chunked coding, whose last chunk is waited for,
    // prove where a body ends: one that is over when the connection closes may have been cut anywhere. (An HTTP/2
    // stream's end would prove it too, but a stream reset without an error looks the same from here.)
    bool bodyEndIsProven() const;

private:
    qint64 m_bytes = 0;
    int m_status = 0;
    std::optional<qint64> m_length;
    bool m_chunked = false;
    bool m_complete = false;
};
