// The publisher's two web pages. The home address is the one place the
// publisher sets its real site before a release; the article address and the
// address the window shows both follow from it.
#ifndef GONGSHANG_LINKS_ADDRESSES_H_
#define GONGSHANG_LINKS_ADDRESSES_H_

#include <string_view>

namespace gongshang::links {

// A reserved name (".example" can never be registered), so a build that
// nobody has configured cannot send users to somebody else's site.
inline constexpr std::string_view kHomeAddress = "http://www.gsjs.example";
inline constexpr std::string_view kArticlePath = "/Topic.aspx?Id=15599";

// The site as a person reads it: the home address without its scheme.
inline constexpr std::string_view kShownAddress = kHomeAddress.substr(kHomeAddress.find("//") + 2);

}  // namespace gongshang::links

#endif  // GONGSHANG_LINKS_ADDRESSES_H_
