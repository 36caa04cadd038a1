// Reading entries aloud: the speaker image of row n speaks entry n's English text, one utterance
// after another; other images and rows that do not exist speak nothing.
#include <QTest>
#include <QTextToSpeech>
#include <QTimer>

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

// An engine that fails "fail" at once and never reports the end of "stall"; the rest it
// records.
class TroubledSpeechEngine : public RecordingSpeechEngine {
public:
    using RecordingSpeechEngine::RecordingSpeechEngine;
    void Say(const QString& text) override {
        ++m_calls;
        if (text == "fail") {
            QTimer::singleShot(0, this, &CSpeechEngine::Finished);
        } else if (text != "stall") {
            RecordingSpeechEngine::Say(text);
        }
    }
    int m_calls = 0;
};

TEST(SpeechVoiceTest, EmptyTextsStalledUtterancesAndErrorsDoNotSilenceTheVoice) {
    std::vector<QString> said;
    auto engine = std::make_unique<TroubledSpeechEngine>(&said);
    const TroubledSpeechEngine& calls = *engine;
    CSpeechVoice voice(std::move(engine), std::chrono::milliseconds(100));
    for (const char* text : {"", " \t", "stall", "fail", "shirt", "fail", "collar"}) {
        voice.Speak(text);
    }
    ASSERT_TRUE(WaitFor([&] { return said.size() == 2; }));
    EXPECT_EQ(said, (std::vector<QString>{"shirt", "collar"}));
    EXPECT_EQ(calls.m_calls, 5) << "empty texts are skipped";
}

TEST(SpeechVoiceTest, TheDesktopEngineTriesAgainAfterAnError) {
    std::unique_ptr<CSpeechEngine> engine = CreateDesktopSpeechEngine();
    if (!engine) GTEST_SKIP() << "this desktop has no speech engine";
    int finished = 0;
    QObject::connect(engine.get(), &CSpeechEngine::Finished, [&] { ++finished; });
    // Here there is no sound device, so each utterance fails; each must be tried all the same,
    // and an empty text must end too.
    for (const char* text : {"shirt", "collar", "", "yoke"}) {
        const int before = finished;
        int changes = 0;
        const QObject watch;
        // The engine's speech object, or the new one it makes for the utterance.
        const auto watchSpeech = [&] {
            for (QTextToSpeech* speech : engine->findChildren<QTextToSpeech*>()) {
                QObject::connect(speech, &QTextToSpeech::stateChanged, &watch, [&] { ++changes; });
            }
        };
        watchSpeech();
        engine->Say(text);
        watchSpeech();
        ASSERT_TRUE(WaitFor([&] { return finished == before + 1; })) << text;
        if (*text != '\0') {
            EXPECT_GT(changes, 0) << text << " was not tried";
        }
    }
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
