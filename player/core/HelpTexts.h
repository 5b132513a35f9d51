// The texts of the help window: the About page and the two pages of key help. Each page's texts
// start with an empty line; the key and phrase columns of a key page are separate texts whose
// lines pair up.
#pragma once

#include <string>

namespace player {

constexpr int help_page_count = 3; // About, keys 1, keys 2

struct HelpPage {
    std::string about;   // page 0 only
    std::string keys;    // pages 1 and 2: the key column
    std::string phrases; // pages 1 and 2: the phrase column
};

// The texts of page 0, 1 or 2.
HelpPage help_page(int page);

} // namespace player
