#include "app/lookup_switch_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/lookup_switches.h"

CLookupSwitchBox::CLookupSwitchBox(CLookupSwitches& switches, QWidget* parent)
    : QWidget(parent),
      m_switches(switches),
      m_copy(new QCheckBox(QStringLiteral("复制取词"), this)),
      m_selection(new QCheckBox(QStringLiteral("划词取词"), this)),
      m_reason(new QLabel(this)) {
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
    m_reason->setVisible(!reason.isEmpty());

    auto* boxes = new QHBoxLayout;
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->addWidget(m_copy);
    boxes->addWidget(m_selection);
    boxes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(boxes);
    layout->addWidget(m_reason);
    layout->addStretch();
    ShowSwitches();

    connect(m_copy, &QCheckBox::toggled, &m_switches, &CLookupSwitches::SetCopy);
    connect(m_selection, &QCheckBox::toggled, &m_switches, &CLookupSwitches::SetSelection);
    connect(&m_switches, &CLookupSwitches::Changed, this, &CLookupSwitchBox::ShowSwitches);
}

void CLookupSwitchBox::ShowSwitches() {
    const QSignalBlocker copyBlocker(m_copy);
    const QSignalBlocker selectionBlocker(m_selection);
    m_copy->setChecked(m_switches.CopyWatched());
    m_selection->setChecked(m_switches.SelectionWatched());
}
