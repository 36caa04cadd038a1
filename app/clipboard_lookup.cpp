#include "app/clipboard_lookup.h"

#include <optional>

#include "dictionary/copied_query.h"

CClipboardLookup::CClipboardLookup(QClipboard* clipboard, Handler lookUp)
    : m_clipboard(clipboard), m_lookUp(std::move(lookUp)) {
    m_copyRead.setSingleShot(true);
    m_copyRead.setInterval(0);
    m_selectionStill.setSingleShot(true);
    m_selectionStill.setInterval(kSelectionStillMs);
    connect(&m_copyRead, &QTimer::timeout, this, [this] { LookUpText(QClipboard::Clipboard); });
    connect(&m_selectionStill, &QTimer::timeout, this,
            [this] { LookUpText(QClipboard::Selection); });
    connect(m_clipboard, &QClipboard::changed, this, &CClipboardLookup::OnChanged);
}

void CClipboardLookup::SetWatching(bool copies, bool selections) {
    m_copies = copies;
    m_selections = selections;
    if (!copies) m_copyRead.stop();
    if (!selections) m_selectionStill.stop();
}

void CClipboardLookup::OnChanged(QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && m_copies) m_copyRead.start();
    // Every change starts the wait again: the selection is read once it stays as it is.
    if (mode == QClipboard::Selection && m_selections) m_selectionStill.start();
}

void CClipboardLookup::LookUpText(QClipboard::Mode mode) {
    const bool own =
        mode == QClipboard::Clipboard ? m_clipboard->ownsClipboard() : m_clipboard->ownsSelection();
    if (own) return;
    const std::optional<std::string> query =
        CopiedQuery(m_clipboard->text(mode).toUtf8().toStdString());
    if (query) m_lookUp(*query);
}
