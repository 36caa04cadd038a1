// CWordBookStars: the look-up popup's stars kept in the user's word book, the same book that the
// dictionary page's stars and the "我的" tab show. A failed change is reported by the lists.
#pragma once

#include "view/entry_stars.h"

class CUserLists;

class CWordBookStars : public CEntryStars {
public:
    // lists must outlive the object.
    explicit CWordBookStars(CUserLists& lists) : m_lists(lists) {}

    bool IsStarred(std::string_view english, std::string_view chinese) const override;
    bool Toggle(std::string_view english, std::string_view chinese) override;

private:
    CUserLists& m_lists;
};
