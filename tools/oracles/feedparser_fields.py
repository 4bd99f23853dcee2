#!/usr/bin/python3
"""Prints what feedparser (Debian python3-feedparser), the reference for what a feed
reader sees, reads from feed files: one JSON object per file, one line each.

  feedparser_fields.py FILE...

Dates are UTC seconds since 1970 (null when feedparser finds none); a body is the
first content, else the summary, with its type."""
import calendar
import json
import sys

import feedparser


def instant(entry):
    for key in ("published_parsed", "updated_parsed"):
        if entry.get(key):
            return calendar.timegm(entry[key])
    return None


def body(entry):
    if entry.get("content"):
        return entry.content[0].value, entry.content[0].type
    if "summary_detail" in entry:
        return entry.summary_detail.value, entry.summary_detail.type
    return "", "text/html"


for path in sys.argv[1:]:
    parsed = feedparser.parse(path)
    feed = parsed.feed
    entries = []
    for entry in parsed.entries:
        value, kind = body(entry)
        tags = entry.get("tags") or [{}]
        entries.append({"title": entry.get("title", ""), "link": entry.get("link", ""),
                        "instant": instant(entry), "category": tags[0].get("term") or "",
                        "creator": entry.get("author", ""), "body": value, "bodyType": kind})
    image = feed.get("image", {})
    print(json.dumps({"version": parsed.version, "bozo": bool(parsed.bozo),
                      "title": feed.get("title", ""), "link": feed.get("link", ""),
                      "description": feed.get("subtitle", ""), "creator": feed.get("author", ""),
                      "logo": image.get("href", "") or feed.get("logo", "") or feed.get("icon", ""),
                      "language": feed.get("language", ""), "entries": entries},
                     ensure_ascii=False))
