#include "app/lookup_switch_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

#include "app/lookup_switches.h"

CLookupSwitchBox::CLookupSwitchBox(CLookupSwitches& switches, QWidget* parent)
    : QWidget(parent),
      m_switches(switches),
      m_copy(new QCheckBox(QStringLiteral("复制取词"), this)),
      m_selection(new QCheckBox(QStringLiteral("划词取词"), this)),
      m_reason(std::make_unique<QLabel>()) {
    const CLookupAvailability& availability = switches.Availability();
    m_copy->setEnabled(availability.copy);
    m_selection->setEnabled(availability.selection);
    m_copy->setToolTip(availability.copyReason);
    m_selection->setToolTip(availability.selectionReason);
    // One line: the copy's reason, which holds for the selection too when both are refused.
    const QString reason =
        !availability.copy ? availability.copyReason : availability.selectionReason;
    m_reason->setText(reason);
    m_reason->setTextFormat(Qt::PlainText);
    m_reason->setStyleSheet(QStringLiteral("color: #808080"));
    // Hidden for good when there is no reason; shown once the tab places it otherwise.
    if (reason.isEmpty()) m_reason->hide();

    auto* boxes = new QHBoxLayout(this);
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->addWidget(m_copy);
    boxes->addWidget(m_selection);
    ShowSwitches();

    connect(m_copy, &QCheckBox::toggled, &m_switches, &CLookupSwitches::SetCopy);
    connect(m_selection, &QCheckBox::toggled, &m_switches, &CLookupSwitches::SetSelection);
    connect(&m_switches, &CLookupSwitches::Changed, this, &CLookupSwitchBox::ShowSwitches);
}

CLookupSwitchBox::~CLookupSwitchBox() = default;

void CLookupSwitchBox::ShowSwitches() {
    const QSignalBlocker copyBlocker(m_copy);
    const QSignalBlocker selectionBlocker(m_selection);
    m_copy->setChecked(m_switches.CopyWatched());
    m_selection->setChecked(m_switches.SelectionWatched());
}
