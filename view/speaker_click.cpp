// A click on a result row's speaker image reads that entry's English text aloud.
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
    if (row < 0 || static_cast<unsigned long>(row) >= m_results.size() || !m_pVoice) {
        return HtmlEventResult::allow;
    }
    m_pVoice->Speak(FromAnsi(m_results[static_cast<std::size_t>(row)]->english));
    return HtmlEventResult::allow;
}
