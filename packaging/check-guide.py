#!/usr/bin/env python3
"""Checks the pages of the user guide (check-guide.py FOLDER): each one is in
Japanese and has a title, every picture is described in words, and every
link and picture inside the guide points at a file that is there."""
import html.parser
import pathlib
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.lang = None
        self.titled = False
        self.pictures_without_words = []
        self.targets = []

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "html":
            self.lang = attributes.get("lang")
        elif tag == "title":
            self.titled = True
        elif tag == "img" and not attributes.get("alt"):
            self.pictures_without_words.append(attributes.get("src", ""))
        for key in ("href", "src"):
            if key in attributes:
                self.targets.append(attributes[key])


def problems_of(path):
    page = Page()
    page.feed(path.read_text(encoding="utf-8"))
    if page.lang != "ja":
        yield "the page is not marked as Japanese"
    if not page.titled:
        yield "the page has no title"
    for picture in page.pictures_without_words:
        yield f"{picture}: the picture has no alt text"
    for target in page.targets:
        address = urllib.parse.urlsplit(target)
        if address.scheme or not address.path:
            continue  # the web, or a place on the same page
        if not (path.parent / urllib.parse.unquote(address.path)).is_file():
            yield f"{target}: no such file"


found = [f"{path.name}: {problem}"
         for path in sorted(pathlib.Path(sys.argv[1]).glob("*.html"))
         for problem in problems_of(path)]
print("\n".join(found))
sys.exit(1 if found else 0)
