#include "app/word_book_stars.h"

#include "mywords/user_lists.h"

bool CWordBookStars::IsStarred(std::string_view english, std::string_view chinese) const {
    return m_lists.IsInWordBook(english, chinese);
}

bool CWordBookStars::Toggle(std::string_view english, std::string_view chinese) {
    return m_lists.ToggleWordBook(english, chinese).has_value();
}
