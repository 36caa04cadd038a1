// CAboutDialog: the about tab's page. It shows the program's icon, its name and version, the
// publisher's notice line, the about paragraph of the start-up settings (written into its control
// again once a minute) and the web link to the publisher's site.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <QFont>
#include <QRect>
#include <string>

#include "controls/url_label.h"

class QLabel;

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 100;
    static constexpr int kIdcIcon = -1;
    static constexpr int kIdcLink = 1003;
    static constexpr int kIdcText = 1005;
    static constexpr int kIdcProductName = 1006;
    static constexpr int kIdcNoticeLine = 1007;
    static constexpr int kIdcVisitCaption = 1008;
    static constexpr int kRefreshTimerId = 1000;
    static constexpr int kRefreshPeriodMs = 60000;

    CAboutDialog();

    // Makes the page a child widget of parent, lays out dialog 100's controls and runs
    // OnInitDialog. Returns OnInitDialog's answer.
    bool Create(QWidget* parent);

    // The control with the given id; null for an id the page does not have, and before Create.
    QWidget* GetDlgItem(int id);
    CUrlLabel& GetLink() { return m_link; }

    // A rectangle in dialog units as pixels: x and width by a quarter of the horizontal base unit,
    // y and height by an eighth of the vertical one, each rounded to the nearest pixel. The base
    // units are those of the dialog font: the average width of the letters A-Z and a-z, and the
    // font's height.
    QRect MapDialogRect(const QRect& dialogUnits) const;

    // Puts the about paragraph of the start-up settings into the paragraph control, then attaches
    // the link, starts the refresh timer and gives the page and its texts the page font; a
    // one-line text wider than its box in that font widens the box, keeping its left edge.
    bool OnInitDialog();

    // The refresh timer: puts the about paragraph back and writes it to the debug output.
    void OnTimer();

    // Moves the paragraph between its control and m_strText (true: control to member); attaches
    // the link the first time. False before Create, when there are no controls.
    bool UpdateData(bool saveAndValidate = true);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void DoDataExchange(bool saveAndValidate);
    void CreateControls();
    QLabel* CreateStatic(const QRect& dialogUnits, const QString& text);
    static void WidenToText(QLabel& label);

    CUrlLabel m_link;
    std::string m_strText;
    QFont m_font;
    QFont m_fontDialog;
    bool m_linkAttached = false;
    QBasicTimer m_refreshTimer;
    QLabel* m_pIcon = nullptr;
    QLabel* m_pProductName = nullptr;
    QLabel* m_pNoticeLine = nullptr;
    QLabel* m_pText = nullptr;
    QLabel* m_pVisitCaption = nullptr;
};
