// The header's picture button: hover grab, click command, bitmap cut at the button's size.
#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "controls/pda_button.h"

namespace {

constexpr unsigned kStyle = CPDAButton::WS_VISIBLE | CPDAButton::BS_OWNERDRAW;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

class PDAButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.resize(100, 100);
        ASSERT_TRUE(m_button.Create("", kStyle, QRect(10, 10, 23, 23), &m_host, 32774));
        m_button.LoadButtonBitmap(134);
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }

    // Moves the pointer to pos of the host window, as the window system does.
    void MoveTo(QPoint pos) {
        QTest::mouseMove(m_host.windowHandle(), pos);
        QCoreApplication::processEvents();
    }

    QWidget m_host;
    CPDAButton m_button;
};

TEST_F(PDAButtonTest, HoverGrabsTheMouseOnceAndReleasesItOnLeaving) {
    EXPECT_EQ(m_button.cursor().shape(), Qt::PointingHandCursor);
    PaintCounter paints;
    m_button.installEventFilter(&paints);

    MoveTo(QPoint(15, 15));
    EXPECT_TRUE(m_button.IsHovering());
    EXPECT_EQ(QWidget::mouseGrabber(), &m_button);
    ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 1000));

    paints.count = 0;
    MoveTo(QPoint(25, 20));
    QTest::qWait(50);
    EXPECT_EQ(paints.count, 0) << "a move inside repainted the button";
    EXPECT_EQ(QWidget::mouseGrabber(), &m_button);

    // The grab brings the move outside to the button, which lets go.
    MoveTo(QPoint(70, 70));
    EXPECT_FALSE(m_button.IsHovering());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 1000));
    QTest::qWait(50);
    EXPECT_EQ(paints.count, 1);
}

TEST_F(PDAButtonTest, ClickSendsTheButtonsId) {
    QSignalSpy commands(&m_button, &CPDAButton::Command);
    MoveTo(QPoint(15, 15));
    QTest::mouseClick(m_host.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 32774);
    // The second press of a double click is no second click.
    QTest::mouseDClick(m_host.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(commands.count(), 2);
}

TEST_F(PDAButtonTest, PictureIsTheBitmapCutAtTheButtonsSize) {
    const QImage bitmap(QStringLiteral(":/bitmaps/134.bmp"));
    ASSERT_EQ(bitmap.size(), QSize(24, 24));
    m_button.setGeometry(10, 10, 10, 12);
    const QImage shown = m_button.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(10, 12));
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            ASSERT_EQ(shown.pixel(x, y), bitmap.pixel(x, y)) << "at " << x << "," << y;
        }
    }
    EXPECT_FALSE(m_button.LoadButtonBitmap(999));
}

TEST_F(PDAButtonTest, StaysHiddenWithoutWsVisible) {
    CPDAButton hidden;
    EXPECT_FALSE(hidden.Create("", CPDAButton::BS_OWNERDRAW, QRect(40, 40, 23, 23), nullptr, 1));
    ASSERT_TRUE(hidden.Create("", CPDAButton::BS_OWNERDRAW, QRect(40, 40, 23, 23), &m_host, 1));
    m_host.hide();
    m_host.show();
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_TRUE(m_button.isVisible());
}

}  // namespace
