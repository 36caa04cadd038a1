// The about page: its paragraph from the start-up settings and its refresh, its texts and fonts,
// where its controls sit, and its link.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLoggingCategory>
#include <QTest>
#include <QUrl>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "app/startup_settings.h"
#include "browser_recorder.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/program_directory.h"
#include "platform/string_resources.h"

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
    EXPECT_EQ(Static(CAboutDialog::kIdcProductName)->text(), productName + "1.0.0.5");
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
    EXPECT_EQ(m_page.GetDlgItem(CAboutDialog::kIdcIcon)->geometry(),
              QRect(x(11), y(17), x(20), y(20)));
    EXPECT_EQ(m_page.GetDlgItem(CAboutDialog::kIdcText)->geometry(),
              QRect(x(16), y(46), x(126), y(56)));
    EXPECT_EQ(m_page.GetDlgItem(CAboutDialog::kIdcVisitCaption)->geometry(),
              QRect(x(13), y(115), x(35), y(8)));
    // The link keeps its top-left corner and shrinks to its text in the dialog font.
    QFont underlined = dialogFont;
    underlined.setUnderline(true);
    const QFontMetrics linkMetrics(underlined);
    EXPECT_EQ(m_page.GetLink().geometry(),
              QRect(x(50), y(115), linkMetrics.horizontalAdvance(m_page.GetLink().text()),
                    linkMetrics.height()));
}

TEST_F(AboutPageTest, LinkOpensTheAddressItShows) {
    BrowserRecorder recorder;
    CreatePage();
    m_host.show();
    CUrlLabel& link = m_page.GetLink();
    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, link.rect().center());
    ASSERT_EQ(recorder.opened.size(), 1u);
    EXPECT_EQ(recorder.opened[0], QUrl(link.text()));
    EXPECT_EQ(link.toolTip(), link.text());
}

}  // namespace
