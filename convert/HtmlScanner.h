// Reads HTML from other programs as a browser would read its markup, in one
// forward pass: text, start tags (with their href) and end tags. Comments,
// declarations and the contents of raw-text elements (script, style,
// textarea and the like) are passed over whole, so nothing inside them, nor
// inside an attribute value, is taken for a tag.
#pragma once

#include <string>

class CHtmlScanner {
public:
    enum Kind { Text, StartTag, EndTag, End };
    struct Item {
        Kind kind = End;
        size_t nBegin = 0;   // Text: where it starts in the HTML
        size_t nLength = 0;  // Text: its length
        std::string name;    // tags: the element's name in lower case
        bool bHref = false;  // start tags: an href attribute is present
        std::string href;    // ... and its value as written (the first one)
    };

    explicit CHtmlScanner(const std::string& html) : m_html(html) {}

    // The next item; End once the HTML is used up, or at a tag, comment or
    // quoted value that never ends (what follows it is not markup).
    Item Next();

private:
    // Reads the tag whose "<" is at m_nPos; false when it does not end.
    bool ReadTag(Item& item);
    // Moves past the contents of the raw-text element just opened: to its
    // end tag, or to the end when there is none.
    void SkipRawText(const std::string& name);
    // Position of the first '<' at or after nFrom that opens a comment, a
    // declaration or a tag; npos when none.
    size_t NextMarkup(size_t nFrom) const;

    const std::string& m_html;
    size_t m_nPos = 0;
    bool m_bEnded = false;
};
