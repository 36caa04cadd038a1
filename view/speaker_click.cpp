// Reading entries aloud: a click on a result row's speaker image reads that entry's English text,
// the organiser's speaker key the first row's.
#include <cstdlib>

#include "dictionary/dict_entry.h"
#include "platform/ansi_text.h"
#include "view/dict_view_page.h"

namespace {

constexpr std::string_view kSpeakerIdPrefix = "IMGSP";

}  // namespace

HtmlEventResult CDictViewPage::OnSpeakerClick(const CHtmlElement& element) {
    const std::string& id = element.id;
    // Only speaker images, "IMGSP_<row>", speak; arrows and other images have other ids.
    if (id.compare(0, kSpeakerIdPrefix.size(), kSpeakerIdPrefix) != 0) {
        return HtmlEventResult::allow;
    }
    const std::size_t underscore = id.rfind('_');
    const std::string number = underscore == std::string::npos ? id : id.substr(underscore + 1);
    // Read like atoi (white space, a sign, the digits; none gives 0), but a number too large
    // for a long saturates instead of being undefined, and so names no row.
    const long row = std::strtol(number.c_str(), nullptr, 10);
    if (row >= 0) SpeakRow(static_cast<std::size_t>(row));
    return HtmlEventResult::allow;
}

void CDictViewPage::SpeakFirstRow() {
    // A search that found nothing shows no rows, though the results of the one before are kept.
    if (!m_strHtml.empty()) SpeakRow(0);
}

void CDictViewPage::SpeakRow(std::size_t row) {
    if (row >= m_results.size() || !m_pVoice) return;
    m_pVoice->Speak(FromAnsi(m_results[row]->english));
}
