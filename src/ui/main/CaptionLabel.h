#pragma once

#include <QLabel>

// A caption of the caption row. A caption wider than its column is drawn in a narrower face, then smaller, and
// only past the smallest size cut short with an ellipsis; then its tip begins with the whole caption.
class CaptionLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    // The text as drawn: the caption, or its beginning and an ellipsis.
    QString shownText() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Fit
    {
        QFont font;
        QString text;
    };
    Fit fit() const;
};
