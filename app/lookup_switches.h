// The two look-up switches, copy to look up (复制取词) and selection look-up (划词取词): what
// the user switched, kept across runs in the program's settings, and what the desktop allows.
#pragma once

#include <QObject>
#include <QString>

class QSettings;

// What the desktop lets a program in the background read of what other programs copy and
// select, and, for what it does not, one line that tells the user why.
struct CLookupAvailability {
    bool copy = false;
    bool selection = false;
    QString copyReason;
    QString selectionReason;
};

// The availability on the Qt platform platformName ("xcb", "wayland", "windows", ...), whose
// clipboard has a selection when supportsSelection: on X11 both (the selection where the
// clipboard has one); on Wayland neither, as it lets only the window with the focus read the
// clipboard; on Windows copying only; on any other platform (offscreen, a frame buffer)
// neither, as no other program shares its clipboard.
CLookupAvailability LookupAvailability(const QString& platformName, bool supportsSelection);

class CLookupSwitches : public QObject {
    Q_OBJECT
public:
    // The settings' keys and what they hold when nothing was switched yet.
    static constexpr char kCopyKey[] = "lookup/copy";
    static constexpr char kSelectionKey[] = "lookup/selection";
    static constexpr bool kCopyDefault = true;
    static constexpr bool kSelectionDefault = false;

    // Reads and writes the switches in settings, which must outlive the switches.
    CLookupSwitches(QSettings& settings, CLookupAvailability availability);

    // As the user switched them, whatever the desktop allows.
    bool Copy() const { return m_copy; }
    bool Selection() const { return m_selection; }
    // Switched on and allowed: the texts that are looked up.
    bool CopyWatched() const { return m_copy && m_availability.copy; }
    bool SelectionWatched() const { return m_selection && m_availability.selection; }
    const CLookupAvailability& Availability() const { return m_availability; }

    // Switch and save at once; Changed follows a change.
    void SetCopy(bool on);
    void SetSelection(bool on);

signals:
    void Changed();

private:
    void Save(const char* key, bool& value, bool on);

    QSettings& m_settings;
    CLookupAvailability m_availability;
    bool m_copy;
    bool m_selection;
};
