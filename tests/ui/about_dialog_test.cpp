// The about page: its paragraph from the start-up settings and its refresh, its texts and fonts,
// where its controls sit and that the texts fit them, and its link.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLoggingCategory>
#include <QPalette>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "browser_recorder.h"
#include "files/program_directory.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"

namespace {

std::vector<QString> g_debugLines;

void CaptureDebugLine(QtMsgType, const QMessageLogContext&, const QString& message) {
    g_debugLines.push_back(message);
}

class AboutPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    }

    void SetUp() override { m_storedAboutText = TheStartupSettings().aboutText; }
    void TearDown() override { TheStartupSettings().aboutText = m_storedAboutText; }

    CAboutDialog& CreatePage() {
        EXPECT_TRUE(m_page.Create(&m_host));
        return m_page;
    }
    QLabel* Static(int id) { return qobject_cast<QLabel*>(m_page.GetDlgItem(id)); }

    std::string m_storedAboutText;
    QDialog m_host;
    CAboutDialog m_page;
};

TEST_F(AboutPageTest, ParagraphIsTheAboutTextAndComesBackOnEveryTick) {
    ASSERT_FALSE(m_storedAboutText.empty());
    CreatePage();
    EXPECT_EQ(Static(CAboutDialog::kIdcText)->text(), FromAnsi(m_storedAboutText));

    const QString changed = QStringLiteral("本段落已在运行中改写");
    TheStartupSettings().aboutText = ToAnsi(changed);
    Static(CAboutDialog::kIdcText)->setText(QStringLiteral("something else"));
    QLoggingCategory::setFilterRules(QStringLiteral("garmentdict.debug.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(CaptureDebugLine);
    g_debugLines.clear();
    m_page.OnTimer();
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("garmentdict.debug.debug=false"));

    EXPECT_EQ(Static(CAboutDialog::kIdcText)->text(), changed);
    EXPECT_EQ(g_debugLines, std::vector<QString>{changed});
}

TEST_F(AboutPageTest, EmptyAboutTextGivesAnEmptyParagraph) {
    TheStartupSettings().aboutText.clear();
    CreatePage();
    EXPECT_TRUE(Static(CAboutDialog::kIdcText)->text().isEmpty());
    Static(CAboutDialog::kIdcText)->setText(QStringLiteral("typed in"));
    m_page.OnTimer();
    EXPECT_TRUE(Static(CAboutDialog::kIdcText)->text().isEmpty());
}

TEST_F(AboutPageTest, TextsAndFontsOfTheControls) {
    CreatePage();
    const QString productName = FromAnsi(LoadStringResource("about_product_name"));
    ASSERT_FALSE(productName.isEmpty());
    EXPECT_EQ(Static(CAboutDialog::kIdcProductName)->text(), productName + " 1.0.0.5");
    EXPECT_EQ(Static(CAboutDialog::kIdcNoticeLine)->text(),
              FromAnsi(LoadStringResource("about_notice_line")));
    EXPECT_EQ(Static(CAboutDialog::kIdcVisitCaption)->text(), QStringLiteral("详情访问："));
    EXPECT_FALSE(Static(CAboutDialog::kIdcIcon)->pixmap().isNull());

    const QString site = FromAnsi(LoadStringResource("about_site_url"));
    EXPECT_EQ(m_page.GetLink().text(), site);
    EXPECT_EQ(m_page.GetLink().GetUrl(), ToAnsi(site));

    for (int id : {CAboutDialog::kIdcText, CAboutDialog::kIdcProductName,
                   CAboutDialog::kIdcNoticeLine, CAboutDialog::kIdcVisitCaption}) {
        EXPECT_EQ(Static(id)->font().family(), QStringLiteral("宋体")) << id;
        EXPECT_DOUBLE_EQ(Static(id)->font().pointSizeF(), 9.4) << id;
    }
    EXPECT_DOUBLE_EQ(m_page.font().pointSizeF(), 9.4);
    EXPECT_EQ(m_page.GetLink().font().family(), QStringLiteral("MS Shell Dlg"));
    EXPECT_EQ(m_page.GetLink().font().pointSize(), 9);
}

TEST_F(AboutPageTest, ControlsSitAtTheirDialogUnitsInPixels) {
    CreatePage();
    QFont dialogFont(QStringLiteral("MS Shell Dlg"));
    dialogFont.setPointSize(9);
    const QFontMetrics metrics(dialogFont);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const double baseX = (letters / 26 + 1) / 2;
    const double baseY = metrics.height();
    const auto x = [&](int units) { return static_cast<int>(units * baseX / 4 + 0.5); };
    const auto y = [&](int units) { return static_cast<int>(units * baseY / 8 + 0.5); };

    EXPECT_EQ(m_page.size(), QSize(x(161), y(159)));
    // The icon control takes the 32-pixel icon its box was made for.
    EXPECT_EQ(m_page.GetDlgItem(CAboutDialog::kIdcIcon)->geometry(), QRect(x(11), y(17), 32, 32));
    EXPECT_EQ(Static(CAboutDialog::kIdcIcon)->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(m_page.GetDlgItem(CAboutDialog::kIdcText)->geometry(),
              QRect(x(16), y(46), x(126), y(56)));
    // A one-line text keeps its box's top-left corner and height; its width is the box's, or
    // its text's where the text is wider.
    const struct {
        int id;
        QRect units;
    } lines[] = {{CAboutDialog::kIdcProductName, {42, 12, 106, 8}},
                 {CAboutDialog::kIdcNoticeLine, {41, 25, 95, 8}},
                 {CAboutDialog::kIdcVisitCaption, {13, 115, 35, 8}}};
    for (const auto& line : lines) {
        QLabel* label = Static(line.id);
        const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
        EXPECT_EQ(label->geometry(),
                  QRect(x(line.units.x()), y(line.units.y()),
                        std::max(x(line.units.width()), textWidth), y(line.units.height())))
            << line.id;
    }
    // The link keeps its top-left corner and shrinks to its text in the dialog font.
    QFont underlined = dialogFont;
    underlined.setUnderline(true);
    const QFontMetrics linkMetrics(underlined);
    EXPECT_EQ(m_page.GetLink().geometry(),
              QRect(x(50), y(115), linkMetrics.horizontalAdvance(m_page.GetLink().text()),
                    linkMetrics.height()));
}

TEST_F(AboutPageTest, EveryTextFitsItsControlAndNoControlCoversAnother) {
    CreatePage();
    m_host.show();
    const std::vector<QWidget*> controls = {m_page.GetDlgItem(CAboutDialog::kIdcIcon),
                                            m_page.GetDlgItem(CAboutDialog::kIdcProductName),
                                            m_page.GetDlgItem(CAboutDialog::kIdcNoticeLine),
                                            m_page.GetDlgItem(CAboutDialog::kIdcText),
                                            m_page.GetDlgItem(CAboutDialog::kIdcVisitCaption),
                                            &m_page.GetLink()};
    for (QWidget* control : controls) {
        auto* label = qobject_cast<QLabel*>(control);
        ASSERT_NE(label, nullptr);
        const QRect inside = label->contentsRect();
        const QFontMetrics metrics(label->font());
        if (label == m_page.GetDlgItem(CAboutDialog::kIdcText)) {
            // The paragraph wraps at its width and its lines fit its height.
            EXPECT_LE(metrics.boundingRect(inside, Qt::TextWordWrap, label->text()).height(),
                      inside.height());
        } else if (!label->text().isEmpty()) {
            EXPECT_LE(metrics.horizontalAdvance(label->text()), inside.width())
                << label->text().toStdString();
            EXPECT_LE(metrics.height(), inside.height()) << label->text().toStdString();
        }
        for (QWidget* other : controls) {
            if (other != control) {
                EXPECT_FALSE(control->geometry().intersects(other->geometry()));
            }
        }
    }
}

TEST_F(AboutPageTest, LinkOpensTheHostItShowsOnTheBackgroundOfThePage) {
    BrowserRecorder recorder;
    // In the organiser the page shows the white of the tab window; the host plays it here, a
    // colour unlike the face of buttons.
    QPalette white = m_host.palette();
    white.setColor(QPalette::Window, Qt::white);
    m_host.setPalette(white);
    CreatePage();
    m_host.show();
    CUrlLabel& link = m_page.GetLink();
    ASSERT_NE(link.palette().color(QPalette::Button), QColor(Qt::white));
    EXPECT_EQ(link.text(), QStringLiteral(GDICT_PUBLISHER_HOST));
    EXPECT_EQ(link.toolTip(), link.text());
    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, link.rect().center());
    ASSERT_EQ(recorder.opened.size(), 1u);
    EXPECT_EQ(recorder.opened[0], QUrl(QStringLiteral("http://" GDICT_PUBLISHER_HOST)));

    // Above the text's letters, the link shows what the page shows beside it.
    const QImage page = m_host.grab().toImage();
    const QPoint corner = link.mapTo(&m_host, QPoint(0, 0));
    EXPECT_EQ(page.pixelColor(corner), page.pixelColor(corner - QPoint(0, 2)));
    EXPECT_EQ(page.pixelColor(corner + QPoint(link.width() - 1, 0)),
              page.pixelColor(corner + QPoint(link.width() - 1, -2)));
}

}  // namespace
