// CClipboardLookup: watches what other programs copy (the clipboard) and select (the X11
// primary selection) and hands each text that is a look-up (dictionary/copied_query.h) on, as
// a code page 936 query. What the program itself copies (from its page) is never looked up; a
// selection is read once it has been still for kSelectionStillMs, so that a selection being
// dragged is looked up once, when the user stops.
#pragma once

#include <QClipboard>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

class CClipboardLookup : public QObject {
    Q_OBJECT
public:
    static constexpr int kSelectionStillMs = 300;

    using Handler = std::function<void(const std::string& query)>;

    // Watches clipboard, which must outlive the watcher, and calls lookUp with each query.
    // Nothing is watched until SetWatching.
    CClipboardLookup(QClipboard* clipboard, Handler lookUp);

    // Which texts are looked up from now on: copies, selections, both or neither.
    void SetWatching(bool copies, bool selections);

private:
    void OnChanged(QClipboard::Mode mode);
    // Reads the text of mode, unless the program owns it, and looks it up when it is a query.
    void LookUpText(QClipboard::Mode mode);

    QClipboard* m_clipboard;
    Handler m_lookUp;
    bool m_copies = false;
    bool m_selections = false;
    // A copy is read once its change has been told, outside the clipboard's own handling.
    QTimer m_copyRead;
    QTimer m_selectionStill;
};
