// Reading entries aloud: the speaker image of row n speaks entry n's English text, one utterance
// after another; other images and rows that do not exist speak nothing.
#include <QTest>

#include "page_test_support.h"
#include "platform/ansi_text.h"

namespace {

using SpeechTest = DictPageTest;

TEST_F(SpeechTest, SpeakerSpeaksTheEnglishTextAlsoForChineseQueries) {
    Search("衬衫");
    Click("#IMGSP_0");
    ASSERT_TRUE(WaitFor([this] { return !m_said.empty(); }));
    EXPECT_EQ(m_said, std::vector<QString>{"shirt"});
}

TEST_F(SpeechTest, QuickClicksAreSpokenInOrderNoneCutOff) {
    Search("shirt");
    Click("#IMGSP_2");
    Click("#IMGSP_0");
    Click("#IMGSP_1");
    ASSERT_TRUE(WaitFor([this] { return m_said.size() == 3; }));
    EXPECT_EQ(m_said, (std::vector<QString>{FromAnsi(Page().GetResults()[2]->english), "shirt",
                                            "shirt collar"}));
}

TEST_F(SpeechTest, OtherImagesAndUnknownRowsSpeakNothing) {
    Search("shirt");
    Click("#TD_DICT_ITEM img:not([id])");
    Click("#BUTTON_GO");
    Settle();
    for (const char* id :
         {"IMGSP_5", "IMGSP_-1", "IMGSP_99999999999999999999", "imgsp_0", "IMG", "SPEAK_0"}) {
        Page().OnSpeakerClick(CHtmlElement{id, "IMG", false});
    }
    QTest::qWait(3 * RecordingSpeechEngine::kUtteranceMs);
    EXPECT_TRUE(m_said.empty());

    // The number follows the last underscore, read as far as it is digits; none is row 0.
    for (const char* id : {"IMGSP_x_1", "IMGSP7", "IMGSP_2abc"}) {
        Page().OnSpeakerClick(CHtmlElement{id, "IMG", false});
    }
    ASSERT_TRUE(WaitFor([this] { return m_said.size() == 3; }));
    EXPECT_EQ(m_said, (std::vector<QString>{"shirt collar", "shirt",
                                            FromAnsi(Page().GetResults()[2]->english)}));
}

TEST_F(SpeechTest, NoSearchYetMeansNothingToSpeak) {
    EXPECT_EQ(Page().OnSpeakerClick(CHtmlElement{"IMGSP_0", "IMG", false}), HtmlEventResult::allow);
    QTest::qWait(3 * RecordingSpeechEngine::kUtteranceMs);
    EXPECT_TRUE(m_said.empty());
}

TEST_F(SpeechTest, APageWithoutAVoiceWorksInEveryOtherRespect) {
    CreatePage(nullptr);
    Search("shirt");
    EXPECT_EQ(Page().GetResults().size(), 5u);
    Click("#IMGSP_0");
    Search("yoke");
    EXPECT_EQ(Page().GetResults().size(), 1u);
}

TEST_F(SpeechTest, TheDesktopVoiceNeverStopsThePage) {
    CreatePage(CSpeechVoice::CreateDefault());
    Search("shirt");
    Click("#IMGSP_0");
    Click("#IMGSP_1");
    QTest::qWait(500);
    Search("yoke");
    EXPECT_EQ(Page().GetResults().size(), 1u);
}

}  // namespace
