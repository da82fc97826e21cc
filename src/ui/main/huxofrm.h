#pragma once

#include <QWidget>

#include <array>

#include "core/ClockModel.h"
#include "core/ClockView.h"

class ClockFace;
class Module1;
class QLabel;
class QTimer;

// The main window: seven clock columns, each a face, a caption, a time and a day label, and the calendar panel.
class huxofrm final : public QWidget, public ClockView
{
    Q_OBJECT

public:
    explicit huxofrm(Module1& module, QWidget* parent = nullptr);
    ~huxofrm() override;

    void Form_Load();
    void ColChg();
    void UpdateCaptions();

    ClockModel& clockModel() { return m_clockModel; }
    ClockFace* face(int slot) const { return m_faces[size_t(slot - 1)]; }

    // ClockView
    void ScaleFaces() override;
    void setTimeText(int slot, const QString& text) override;
    void setDayText(int slot, const QString& text) override;
    void ClearFaces() override;
    void clearFace(int slot) override;
    void DrawHand(int slot, int x, int y) override;
    void DrawSecHand(int x, int y) override;
    void drawSecHandOn(int slot, int x, int y) override;
    bool cornerPixelIsWhite() const override;
    QString calendarDayText() const override;
    void DoCalDate() override;

    ClockFace* LC = nullptr;
    ClockFace* GMTc = nullptr;
    ClockFace* CC = nullptr;
    ClockFace* DC = nullptr;
    ClockFace* EC = nullptr;
    ClockFace* FC = nullptr;
    ClockFace* GC = nullptr;
    QLabel* LocCap = nullptr;
    QLabel* BCap = nullptr;
    QLabel* CCap = nullptr;
    QLabel* DCap = nullptr;
    QLabel* ECap = nullptr;
    QLabel* FCap = nullptr;
    QLabel* GCap = nullptr;
    QLabel* LocTime = nullptr;
    QLabel* GMTtime = nullptr;
    QLabel* CTime = nullptr;
    QLabel* DTime = nullptr;
    QLabel* ETime = nullptr;
    QLabel* FTime = nullptr;
    QLabel* GTime = nullptr;
    QLabel* LocDay = nullptr;
    QLabel* GMTDay = nullptr;
    QLabel* CDay = nullptr;
    QLabel* DDay = nullptr;
    QLabel* EDay = nullptr;
    QLabel* FDay = nullptr;
    QLabel* GDay = nullptr;
    QWidget* Cpanel = nullptr;
    QWidget* DateFrame = nullptr;
    QLabel* DateLbl = nullptr;
    QLabel* DayLbl = nullptr;
    QLabel* MonthLbl = nullptr;
    QLabel* YrLbl = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void buildClockColumns();
    void buildCalendar();
    void Timer1_Timer();
    void armTimer1();

    Module1& m_module;
    ClockModel m_clockModel;
    std::array<ClockFace*, ClockModel::SlotCount> m_faces{};
    std::array<QLabel*, ClockModel::SlotCount> m_timeLabels{};
    std::array<QLabel*, ClockModel::SlotCount> m_dayLabels{};
    std::array<QLabel*, ClockModel::SlotCount> m_captions{};
};
