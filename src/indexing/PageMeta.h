// What a page says of itself in its markup: the title, and the description
// and character set of its meta elements. Read through the tokenizer from the
// start of the source.
#pragma once

#include <string>

#include "indexing/HTMLParser.h"

namespace qm {

struct PageMeta {
  std::string Description;  // the last description meta element's content, as read
  std::string Charset;      // the last character set declared, ASCII lower case
};

// The meta pass over the whole source, from its start. At each "meta" element
// a pass begins that follows the attributes name, charset, http-equiv and
// content (names compared exactly, in any order), resetting its state at each
// tag end; it does not stop at the element's end but goes on through the
// following tokens until a name other than "description" or a description
// with content ends it. So a later description or charset declaration
// replaces an earlier one, and a charset found anywhere applies to the page.
PageMeta ReadPageMeta(HtmlSource& source);

// The text of the first "title" element: the texts of the tokens after its
// start tag up to the first markup token, every whitespace byte one blank, not
// trimmed. Empty without a title element or when its start tag never ends.
// Reads from the start of the source.
std::string ReadPageTitle(HtmlSource& source);

}  // namespace qm
