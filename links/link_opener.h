// The link opener: hands a web address to the desktop's default browser.
#ifndef GONGSHANG_LINKS_LINK_OPENER_H_
#define GONGSHANG_LINKS_LINK_OPENER_H_

class QString;

namespace gongshang::links {

// The home page and the page of legal provisions, as absolute addresses.
//   homeAddress() -> "http://www.gsjs.example"
//   articleAddress() -> "http://www.gsjs.example/Topic.aspx?Id=15599"
QString homeAddress();
QString articleAddress();

// One hand-over per call. Returns at once: the browser runs on its own, and
// whether the desktop managed to open the page is deliberately not examined
// (there is nothing the calculator could do about it).
void open(const QString& address);

}  // namespace gongshang::links

#endif  // GONGSHANG_LINKS_LINK_OPENER_H_
