// The organiser's keys in the main window, once the loading phase is over: the pointer is a hand
// over a key, a key looks pressed while the left button is down on it, and releasing the button
// on it does what the key is for. The window's keyboard is not involved.
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/main_dialog.h"
#include "platform/ansi_text.h"

namespace {

constexpr int kDictionaryTab = 0;
constexpr int kOnlineTab = 1;
constexpr int kAboutTab = 2;

}  // namespace

std::optional<OrganiserKey> CMainDialog::ActiveKeyAt(QPointF point) const {
    if (!m_bReady) return std::nullopt;
    return OrganiserKeyAt(point);
}

void CMainDialog::mousePressEvent(QMouseEvent* event) {
    // A press on a key does not drag the window.
    if (event->button() == Qt::LeftButton) {
        if (const std::optional<OrganiserKey> key = ActiveKeyAt(event->position())) {
            m_keyDown = key;
            ShowKeyPressed(true);
            event->accept();
            return;
        }
    }
    CSkinDialog::mousePressEvent(event);
}

void CMainDialog::mouseMoveEvent(QMouseEvent* event) {
    const std::optional<OrganiserKey> under = ActiveKeyAt(event->position());
    if (under) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    if (m_keyDown) {
        // A release that went elsewhere (the button is up) ends the press without a key.
        if (!(event->buttons() & Qt::LeftButton)) {
            ShowKeyPressed(false);
            m_keyDown.reset();
        } else {
            ShowKeyPressed(under == m_keyDown);
        }
        event->accept();
        return;
    }
    CSkinDialog::mouseMoveEvent(event);
}

void CMainDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_keyDown || event->button() != Qt::LeftButton) {
        CSkinDialog::mouseReleaseEvent(event);
        return;
    }
    const OrganiserKey key = *m_keyDown;
    const bool released = ActiveKeyAt(event->position()) == key;
    ShowKeyPressed(false);
    m_keyDown.reset();
    event->accept();
    if (released) OnOrganiserKey(key);
}

void CMainDialog::ShowKeyPressed(bool pressed) {
    if (m_bKeyShownPressed == pressed || !m_keyDown) return;
    m_bKeyShownPressed = pressed;
    // The face moves by a pixel to the right and down.
    update(OrganiserKeyFace(*m_keyDown).boundingRect().toAlignedRect().adjusted(-1, -1, 2, 2));
}

void CMainDialog::PaintHeldKey() {
    if (!m_keyDown || !m_bKeyShownPressed || GetSkin() == nullptr) return;
    QPainter painter(this);
    PaintPressedKey(painter, *GetSkin(), *m_keyDown);
}

void CMainDialog::SelectTab(int index) {
    if (m_tabWnd.GetCurSel() == index) return;
    m_tabWnd.SetCurSel(index);
    m_tabWnd.Refresh();
}

void CMainDialog::OnOrganiserKey(OrganiserKey key) {
    const int tabs = m_tabWnd.GetItemCount();
    const int current = std::max(m_tabWnd.GetCurSel(), 0);
    switch (key) {
        case OrganiserKey::Book:
            SelectTab(kDictionaryTab);
            m_dictPage.FocusSearchBox();
            break;
        case OrganiserKey::Speaker:
            m_dictPage.SpeakFirstRow();
            break;
        case OrganiserKey::PadUp:
            SelectTab(kDictionaryTab);
            m_dictPage.ScrollResults(-1);
            break;
        case OrganiserKey::PadDown:
            SelectTab(kDictionaryTab);
            m_dictPage.ScrollResults(1);
            break;
        case OrganiserKey::PadLeft:
            if (tabs > 0) SelectTab((current + tabs - 1) % tabs);
            break;
        case OrganiserKey::PadRight:
            if (tabs > 0) SelectTab((current + 1) % tabs);
            break;
        case OrganiserKey::PadCentre:
            SelectTab(kDictionaryTab);
            m_dictPage.RunSearch();
            break;
        case OrganiserKey::Globe:
            SelectTab(kOnlineTab);
            break;
        case OrganiserKey::Info:
            SelectTab(kAboutTab);
            break;
    }
}

void CMainDialog::OnSearchRequested(const QString& text) {
    SelectTab(kDictionaryTab);
    m_dictPage.SearchFor(ToAnsi(text));
}
