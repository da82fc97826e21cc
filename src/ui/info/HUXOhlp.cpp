#include "HUXOhlp.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "core/Module1.h"
#include "ui/AccessibleControls.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/DialogPreamble.h"
#include "ui/Forms.h"
#include "ui/info/HelpTopics.h"

namespace {

// The licence this program is distributed under, built into the program.
QString licenceText()
{
    QFile licence(QStringLiteral(":/LICENSE"));
    return licence.open(QIODevice::ReadOnly) ? QString::fromUtf8(licence.readAll()) : QString();
}

} // namespace

HUXOhlp::HUXOhlp(Module1& module, Forms& forms)
    : m_forms(forms)
{
    beginDialog(*this, "HUXOhlp", QStringLiteral("HUXO Help"));
    placeInTwips(this, 0, 0, 7800, 5700);
    setMinimumSize(size() / 2);

    menuBar = makeControl<QMenuBar>(this, "menuBar");
    TopicMnu = menuBar->addMenu(QStringLiteral("&Topics"));
    TopicMnu->setObjectName(QStringLiteral("TopicMnu"));

    Text1 = makeControl<QPlainTextEdit>(this, "Text1");
    Text1->setReadOnly(true);
    Text1->setFont(designFont(QStringLiteral("Arial"), 13));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Text0 = makeTopic("Text0", HelpTopics::generalInformation());
    Text2 = makeTopic("Text2", HelpTopics::licensingAgreement(licenceText()));
    Text3 = makeTopic("Text3", HelpTopics::settingTheClocks());
    Text4 = makeTopic("Text4", HelpTopics::settingPreferences());
    addTopic(OverVwMnu, "OverVwMnu", QStringLiteral("&General Information"), Text0);
    addTopic(LicMnu, "LicMnu", QStringLiteral("&Licensing Agreement"), Text2);
    addTopic(SetClksMnu, "SetClksMnu", QStringLiteral("&Setting the Clocks"), Text3);
    addTopic(PrefMnu, "PrefMnu", QStringLiteral("Setting &Preferences"), Text4);

    // Out of sight, but it takes Enter and Space while it holds the focus.
    B1 = makeControl<QPushButton>(this, "B1");
    B1->setAutoDefault(true);
    B1->setGeometry(-200, -200, 60, 24);
    AccessibleControls::hideFromScreenReaders(B1);
    connect(B1, &QPushButton::clicked, this, [this] { m_forms.unload(this); });

    Text1->setPlainText(QStringLiteral("Please select a topic from the menu."));
    module.playClick();
}

QPlainTextEdit* HUXOhlp::makeTopic(const char* name, const QString& text)
{
    auto* topic = makeControl<QPlainTextEdit>(this, name);
    // The texts keep their lines in CR LF; the display wants plain line feeds.
    topic->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    topic->hide();
    return topic;
}

void HUXOhlp::addTopic(QAction*& item, const char* name, const QString& caption, QPlainTextEdit* topic)
{
    item = TopicMnu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    connect(item, &QAction::triggered, this, [this, topic] { showTopic(topic); });
}

void HUXOhlp::showTopic(const QPlainTextEdit* topic)
{
    Text1->setPlainText(topic->toPlainText());
    Text1->verticalScrollBar()->setValue(0);
    B1->setFocus();
}

void HUXOhlp::showLicence()
{
    show();
    LicMnu->trigger();
}

void HUXOhlp::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_forms.unload(this);
}

void HUXOhlp::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    B1->setFocus();
}

void HUXOhlp::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, width(), menuHeight);
    Text1->setGeometry(0, menuHeight, width(), height() - menuHeight);
}
