#!/usr/bin/env python3
"""Makes the user's guide, a few HTML pages that work offline, from the
README and the user-facing documents: one page a document, a menu of them
on each page, and the pictures they show copied beside them.

Usage: makeGuide.py SOURCE_ROOT OUTPUT_FOLDER

A link to a page of the guide points at that page; a link to any other file
of the tree (whose copy a user's system does not have) becomes its text
alone. The same sources give the same bytes."""

import posixpath
import re
import shutil
import sys
from pathlib import Path

import markdown

# Source document, page, title in the menu, in the menu's order.
PAGES = [
    ("README.md", "index.html", "Zelquor"),
    ("docs/running.md", "running.html", "Running and installing"),
    ("docs/troubleshooting.md", "troubleshooting.html", "Troubleshooting"),
    ("docs/acrossMachines.md", "acrossMachines.html", "Across machines"),
    ("docs/headlessDemo.md", "headlessDemo.html", "Headless demo"),
    ("docs/imageFiles.md", "imageFiles.html", "Image files"),
]
STYLE = Path(__file__).with_name("guide.css")
LINK = re.compile(r'(<(?:a|img) [^>]*?)(href|src)="([^"]*)"([^>]*>)')
ANCHOR_TEXT = re.compile(r'<a href="[^"]*">(.*?)</a>', re.S)


def pageOf(source):
    return {document: page for document, page, _ in PAGES}.get(source)


def target(fromDocument, reference, pictures):
    """The guide's address for a reference of a document, or None when the
    guide has no copy of what it names."""
    if re.match(r"[a-z]+:", reference) or reference.startswith("#"):
        return reference
    path, _, anchor = reference.partition("#")
    source = posixpath.normpath(posixpath.join(posixpath.dirname(fromDocument), path))
    if source.endswith(".png"):
        pictures.add(source)
        return posixpath.basename(source)
    page = pageOf(source)
    if page is None:
        return None
    return page + ("#" + anchor if anchor else "")


def rewriteLinks(html, document, pictures):
    dropped = []

    def rewrite(match):
        start, attribute, reference, end = match.groups()
        address = target(document, reference, pictures)
        if address is None:
            dropped.append(match.group(0))
            return match.group(0)
        return f'{start}{attribute}="{address}"{end}'

    html = LINK.sub(rewrite, html)
    for tag in dropped:
        # The link's text stays, without the link.
        html = re.sub(re.escape(tag) + r"(.*?)</a>", r"\1", html, count=1, flags=re.S)
    return html


def menu(current):
    items = []
    for _, page, title in PAGES:
        mark = ' aria-current="page"' if page == current else ""
        items.append(f'<li><a href="{page}"{mark}>{title}</a></li>')
    return '<nav aria-label="Guide"><ul>' + "".join(items) + "</ul></nav>"


def page(root, document, name, title, style, pictures):
    text = (root / document).read_text(encoding="utf-8")
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "toc"], output_format="html")
    body = rewriteLinks(body, document, pictures)
    heading = "Zelquor user's guide" if name == "index.html" else f"{title}: Zelquor user's guide"
    return (
        "<!DOCTYPE html>\n"
        '<html lang="en">\n<head>\n<meta charset="utf-8">\n'
        '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
        f"<title>{heading}</title>\n<style>\n{style}</style>\n</head>\n<body>\n"
        f"<header>{menu(name)}</header>\n<main>\n{body}\n</main>\n</body>\n</html>\n"
    )


def main():
    root, output = Path(sys.argv[1]), Path(sys.argv[2])
    output.mkdir(parents=True, exist_ok=True)
    style = STYLE.read_text(encoding="utf-8")
    pictures = set()
    for document, name, title in PAGES:
        (output / name).write_text(page(root, document, name, title, style, pictures), encoding="utf-8")
    for picture in sorted(pictures):
        shutil.copyfile(root / picture, output / posixpath.basename(picture))


if __name__ == "__main__":
    main()
