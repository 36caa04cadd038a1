// The web link: its colours and fonts through hovering, clicking and failing, the address it
// opens (by the desktop or by the browser command), its error messages and its fitting.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <vector>

#include "browser_recorder.h"
#include "controls/url_label.h"
#include "platform/fonts.h"
#include "platform/message_box.h"

namespace {

const QString kSiteAddress = QStringLiteral("http://www.lumatex.example/");
// No desktop opens this address (its host is no host), so the browser command has to.
const QString kUnopenableAddress = QStringLiteral("http://[bad]/");

bool ShowsColour(QWidget& widget, const QColor& colour) {
    const QImage image = widget.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) return true;
        }
    }
    return false;
}

// Writes text into the file at path, made executable when asked.
void WriteFile(const QString& path, const QString& text, bool executable = false) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    if (executable) file.setPermissions(file.permissions() | QFile::ExeOwner);
}

class UrlLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallFontSubstitutions();
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return MessageBoxAnswer::Ok;
        });
        m_host.resize(400, 200);
        m_host.show();
    }
    void TearDown() override { SetMessageBoxAnswerer({}); }

    CUrlLabel& AddLink(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop,
                       const QRect& geometry = QRect(100, 40, 200, 30)) {
        m_links.push_back(std::make_unique<CUrlLabel>(&m_host));
        CUrlLabel& link = *m_links.back();
        link.setGeometry(geometry);
        link.setAlignment(alignment);
        link.setText(text);
        link.show();
        link.PreSubclassWindow();
        return link;
    }

    static void MovePointerOnto(CUrlLabel& link) {
        const QPoint centre = link.rect().center();
        QCursor::setPos(link.mapToGlobal(centre));
        QMouseEvent move(QEvent::MouseMove, centre, link.mapToGlobal(centre), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&link, &move);
    }

    QWidget m_host;
    std::vector<std::unique_ptr<CUrlLabel>> m_links;
    std::vector<MessageBoxRequest> m_boxes;
};

const QColor kNormal(0, 0, 238);
const QColor kVisited(85, 26, 139);
const QColor kHover(255, 0, 0);

TEST_F(UrlLabelTest, HoverTurnsRedAndUnderlinedAtOnceAndEndsWithinOnePoll) {
    CUrlLabel& link = AddLink(kSiteAddress);
    EXPECT_EQ(link.OnCtlColor(), kNormal);
    EXPECT_FALSE(link.font().underline());
    EXPECT_TRUE(ShowsColour(link, kNormal));

    MovePointerOnto(link);
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(link.OnCtlColor(), kHover);
    EXPECT_TRUE(link.font().underline());
    EXPECT_TRUE(ShowsColour(link, kHover));

    // While the pointer stays, the polls keep the hover.
    QTest::qWait(3 * CUrlLabel::kHoverPollMs);
    EXPECT_TRUE(link.IsHovering());

    QCursor::setPos(link.mapToGlobal(QPoint(-50, -50)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !link.IsHovering(); }, 2 * CUrlLabel::kHoverPollMs));
    EXPECT_EQ(link.OnCtlColor(), kNormal);
    EXPECT_FALSE(link.font().underline());
    EXPECT_TRUE(ShowsColour(link, kNormal));
    EXPECT_FALSE(ShowsColour(link, kHover));
}

TEST_F(UrlLabelTest, ClickOpensTheTextAsAddressWithTooltipAndHandCursor) {
    const BrowserRecorder browser;
    CUrlLabel& link = AddLink(kSiteAddress);
    EXPECT_EQ(link.GetUrl(), kSiteAddress.toStdString());
    EXPECT_EQ(link.toolTip(), kSiteAddress);
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);

    MovePointerOnto(link);
    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, link.rect().center());
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], QUrl(kSiteAddress));
    EXPECT_TRUE(link.IsVisited());
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(link.OnCtlColor(), kVisited);
    EXPECT_TRUE(ShowsColour(link, kVisited));
    EXPECT_FALSE(ShowsColour(link, kNormal));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(UrlLabelTest, BrowserCommandOpensWhatTheDesktopCannotAndAFailureUnvisits) {
    ASSERT_FALSE(QUrl(kUnopenableAddress).isValid());
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString script = directory.filePath(QStringLiteral("browser.sh"));
    const QString record = directory.filePath(QStringLiteral("opened.txt"));
    WriteFile(script, QStringLiteral("printf '%s\\n' \"$#\" \"$@\" > '%1'\n").arg(record));

    CUrlLabel& link = AddLink(kUnopenableAddress);
    const std::string command = "/bin/sh " + script.toStdString() + " \"%1\" --new-window";
    link.SetBrowserCommandReader([&](std::string& out) {
        out = command;
        return 0;
    });
    link.OnLinkClicked();
    EXPECT_TRUE(link.IsVisited());
    EXPECT_TRUE(m_boxes.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record) && QFile(record).size() > 0; }));
    QFile opened(record);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), "1\n" + kUnopenableAddress.toUtf8() + "\n");

    // A browser command that cannot start reports its own code; no command reports the desktop's.
    link.SetBrowserCommandReader([](std::string& out) {
        out = "/nonexistent/browser %1";
        return 0;
    });
    link.OnLinkClicked();
    EXPECT_FALSE(link.IsVisited());
    EXPECT_EQ(link.OnCtlColor(), kNormal);
    link.SetBrowserCommandReader([](std::string&) { return OpenUrlCode::FileNotFound; });
    link.OnLinkClicked();
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0].text,
              QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_EQ(m_boxes[1].text,
              QStringLiteral("Unable to open hyperlink:\n\nThere is no application "
                             "associated\nwith the given filename extension."));
    EXPECT_EQ(m_boxes[1].type, MessageBoxType::IconWarning);
}

TEST_F(UrlLabelTest, ADoubleClickOpensOnceOrReportsOnce) {
    const QRect below(100, 100, 200, 30);
    {
        const BrowserRecorder browser;
        CUrlLabel& link = AddLink(kSiteAddress);
        QTest::mouseDClick(m_host.windowHandle(), Qt::LeftButton, {}, link.geometry().center());
        EXPECT_EQ(browser.opened.size(), 1u);
        EXPECT_TRUE(link.IsVisited());
    }
    CUrlLabel& failing = AddLink(kUnopenableAddress, Qt::AlignLeft | Qt::AlignTop, below);
    failing.SetBrowserCommandReader([](std::string&) { return OpenUrlCode::FileNotFound; });
    QTest::mouseDClick(m_host.windowHandle(), Qt::LeftButton, {}, failing.geometry().center());
    EXPECT_EQ(m_boxes.size(), 1u);
    EXPECT_FALSE(failing.IsVisited());
    EXPECT_EQ(failing.OnCtlColor(), kNormal);
}

TEST_F(UrlLabelTest, ErrorMessagesCarryThePrefixAndTheExclamationIcon) {
    CUrlLabel& link = AddLink(kSiteAddress);
    link.ShowOpenError(OpenUrlCode::SharingViolation);
    link.ShowOpenError(4);
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0].text,
              QStringLiteral("Unable to open hyperlink:\n\nA sharing violation occurred. "));
    EXPECT_EQ(m_boxes[1].text,
              QStringLiteral("Unable to open hyperlink:\n\nUnknown Error (4) occurred."));
    EXPECT_EQ(m_boxes[0].type, 0x30u);
    EXPECT_EQ(m_boxes[1].type, 0x30u);
}

TEST(BrowserCommandLineTest, CutsAtThePlaceholderAndAppendsTheAddress) {
    const std::string address = "http://www.lumatex.example/";
    EXPECT_EQ(BrowserCommandLine("\"/opt/web/browser\" -osint \"%1\" --tail", address),
              "\"/opt/web/browser\" -osint  " + address);
    EXPECT_EQ(BrowserCommandLine("browser --url=%1 --tail", address), "browser --url= " + address);
    EXPECT_EQ(BrowserCommandLine("browser --new-window", address),
              "browser --new-window " + address);
    EXPECT_EQ(BrowserCommandLine("", address), " " + address);

    // Far past any fixed buffer, nothing is lost.
    const std::string longCommand = "/" + std::string(600, 'p') + " %1";
    const std::string longAddress = "http://x/" + std::string(600, 'q');
    EXPECT_EQ(BrowserCommandLine(longCommand, longAddress),
              "/" + std::string(600, 'p') + "  " + longAddress);
}

TEST(BrowserCommandLineTest, DesktopFieldCodesBecomeThePlaceholder) {
    EXPECT_EQ(DesktopExecToCommand("browser %u"), "browser %1");
    EXPECT_EQ(DesktopExecToCommand("browser --class=%c --icon %i \"%U\""),
              "browser --class= --icon  \"%1\"");
    EXPECT_EQ(DesktopExecToCommand("run 100%% %F %"), "run 100% %1 %");
}

TEST(BrowserCommandLineTest, ReadsTheDefaultBrowserEntryOfTheDesktop) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("share/applications")));
    WriteFile(home.filePath(QStringLiteral("bin/xdg-mime")),
              QStringLiteral("#!/bin/sh\n[ \"$*\" = 'query default x-scheme-handler/http' ] && "
                             "echo web-test.desktop\n"),
              true);
    WriteFile(home.filePath(QStringLiteral("share/applications/web-test.desktop")),
              QStringLiteral("[Desktop Action new]\nExec=wrong %u\n"
                             "[Desktop Entry]\nName=Web\nExecutable=no\n"
                             "Exec = /opt/web/run --name %c \"%u\" --fresh\n"));
    const QByteArray path = qgetenv("PATH");
    const bool dataHomeSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("PATH", home.filePath(QStringLiteral("bin")).toUtf8() + ":" + path);
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("share")).toUtf8());
    std::string command = "unchanged";
    const int found = ReadBrowserCommand(command);
    WriteFile(home.filePath(QStringLiteral("bin/xdg-mime")), QStringLiteral("#!/bin/sh\nexit 3\n"),
              true);
    std::string untouched = "unchanged";
    const int missing = ReadBrowserCommand(untouched);
    qputenv("PATH", path);
    if (dataHomeSet) {
        qputenv("XDG_DATA_HOME", dataHome);
    } else {
        qunsetenv("XDG_DATA_HOME");
    }

    EXPECT_EQ(found, 0);
    EXPECT_EQ(command, "/opt/web/run --name  \"%1\" --fresh");
    EXPECT_NE(missing, 0);
    EXPECT_EQ(untouched, "unchanged");
}

TEST_F(UrlLabelTest, FitsToItsTextKeepingTheAnchoredEdge) {
    const QString text = QStringLiteral("www.lumatex.example");
    const QRect box(100, 40, 201, 30);
    CUrlLabel& left = AddLink(text, Qt::AlignLeft | Qt::AlignTop, box);
    CUrlLabel& centre = AddLink(text, Qt::AlignHCenter | Qt::AlignTop, box);
    CUrlLabel& right = AddLink(text, Qt::AlignRight | Qt::AlignTop, box);
    CUrlLabel& middle = AddLink(text, Qt::AlignLeft | Qt::AlignVCenter, box);
    QFont underlined = left.font();
    underlined.setUnderline(true);
    const QFontMetrics metrics(underlined);
    const QSize extent(metrics.horizontalAdvance(text), metrics.height());
    ASSERT_LT(extent.width(), box.width());

    EXPECT_EQ(left.geometry(), QRect(box.topLeft(), extent));
    EXPECT_EQ(right.geometry(),
              QRect(QPoint(box.x() + box.width() - extent.width(), box.y()), extent));
    // The same amount comes off both sides (the odd pixel of an odd difference stays).
    const int cut = (box.width() - extent.width()) / 2;
    EXPECT_EQ(centre.geometry(),
              QRect(box.x() + cut, box.y(), box.width() - 2 * cut, extent.height()));
    const int rise = (box.height() - extent.height()) / 2;
    EXPECT_EQ(middle.geometry(),
              QRect(box.x(), box.y() + rise, extent.width(), box.height() - 2 * rise));
}

}  // namespace
