#include "app/lookup_switches.h"

#include <QSettings>

CLookupAvailability LookupAvailability(const QString& platformName, bool supportsSelection) {
    CLookupAvailability availability;
    const QString onlyX11 = QStringLiteral("划词取词只能在 X11 桌面上使用");
    if (platformName == QLatin1String("xcb")) {
        availability.copy = true;
        availability.selection = supportsSelection;
        if (!supportsSelection) availability.selectionReason = onlyX11;
    } else if (platformName.startsWith(QLatin1String("wayland"))) {
        availability.copyReason = QStringLiteral("Wayland 桌面不让后台程序读取剪贴板");
        availability.selectionReason = availability.copyReason;
    } else if (platformName == QLatin1String("windows")) {
        availability.copy = true;
        availability.selectionReason = onlyX11;
    } else {
        availability.copyReason = QStringLiteral("这个桌面没有与其他程序共用的剪贴板");
        availability.selectionReason = availability.copyReason;
    }
    return availability;
}

CLookupSwitches::CLookupSwitches(QSettings& settings, CLookupAvailability availability)
    : m_settings(settings),
      m_availability(std::move(availability)),
      m_copy(settings.value(kCopyKey, kCopyDefault).toBool()),
      m_selection(settings.value(kSelectionKey, kSelectionDefault).toBool()) {}

void CLookupSwitches::SetCopy(bool on) {
    Save(kCopyKey, m_copy, on);
}

void CLookupSwitches::SetSelection(bool on) {
    Save(kSelectionKey, m_selection, on);
}

void CLookupSwitches::Save(const char* key, bool& value, bool on) {
    if (value == on) return;
    value = on;
    m_settings.setValue(key, on);
    // Written now, so that a program that is killed keeps the switch too.
    m_settings.sync();
    emit Changed();
}
