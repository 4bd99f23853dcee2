#pragma once

// The formats a feed chooses for its files. The values are the numbers the
// project file stores. A number that names no choice (a hand-edited file)
// is kept as it was read, so that the file keeps its bytes when it is saved
// again; wherever it is used it counts as the second choice, as every number
// but 0 always has.

// The feed file: RSS 1.0 as ".rdf", RSS 2.0 as ".xml".
enum class RssVersion
{
    Rss1 = 0,
    Rss2 = 1
};

// The extension of the feed's HTML page.
enum class PageExtension
{
    Html = 0, // ".html"
    Htm = 1   // ".htm"
};

// The markup a feed's page is written in: it decides the forms of the line
// break, the image ending and the list's closing.
enum class Markup
{
    Xhtml = 0,
    Html = 1
};
