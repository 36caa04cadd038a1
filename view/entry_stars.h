// The word book's stars as the look-up popup shows them: whether the word book keeps an entry,
// and keeping it or letting it go. The word book itself lives elsewhere; the popup only asks.
#pragma once

#include <string_view>

class CEntryStars {
public:
    virtual ~CEntryStars() = default;

    // True when the word book holds the entry of the code page 936 texts english, chinese.
    virtual bool IsStarred(std::string_view english, std::string_view chinese) const = 0;

    // Puts the entry into the word book when it is not there and takes it out when it is.
    // Returns false when the change could not be made (the implementation tells the user why);
    // the word book is then as it was.
    virtual bool Toggle(std::string_view english, std::string_view chinese) = 0;
};
