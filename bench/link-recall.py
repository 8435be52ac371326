#!/usr/bin/env python3
"""Measures how many of the image addresses of real pages `murlo-cli scan` finds.

    bench/link-recall.py [--cli build/src/cli/murlo-cli] [--pages FOLDER]... [--min-recall 95]
                         [--verbose]

FOLDER holds the pages and a MANIFEST (bench/modern-pages when no --pages is given; the
project's corpus of older real pages, ../shared/corpus/real, has the same layout).

For every page of the folder's MANIFEST this builds a reference set of image addresses
with Python's own HTML parser (none of Murlo's code), runs `murlo-cli scan FILE --page URL`
in a temporary folder with its own Murlo.ini (links img,a,body,frame,html5; the image
extensions let through), and prints per page and in total: the reference counts, how many
Murlo found, the recall for embedded and for linked images, and what it missed grouped by
markup class. Exit status 1 when a total recall is below --min-recall.

What counts (each address resolved against the <base href> that stands before it, else against
the page's own address, character references decoded, fragments cut; only http, https and
ftp addresses, so data:, javascript:, blob: and file: are dropped):

Embedded images, what a current browser loads or a reader would want from the page:
  img-src       <img src>, <input type=image src>
  srcset        every candidate of <img srcset> and <link rel=preload imagesrcset>
  picture       <source src|srcset> inside <picture>
  lazy          the lazy-loading attributes of <img> and <picture><source> that scripts
                copy into src/srcset: data-* attributes whose name holds "src" or is
                data-original, data-lazy or data-echo
  poster        <video poster|data-poster>
  svg-image     <image href|xlink:href> inside <svg>
  icon          <link href> whose rel holds a word with "icon" (icon, shortcut icon,
                apple-touch-icon, mask-icon, ...)
  preload       <link rel=preload as=image href>
  meta          <meta property|name = og:image, og:image:url, og:image:secure_url,
                twitter:image, twitter:image:src content>
  style-attr    url() in style attributes
  style-block   url() in <style> blocks
  background    the background attribute of body, table, tr, td and th
CSS url()s of fonts and style sheets (.woff, .woff2, .ttf, .otf, .eot, .css) and url(#id)
references are not images and are left out. Markup inside comments (conditional comments
included) is not read, as browsers do not; <noscript> is read as markup.

Linked images:
  a-href        <a href> and <area href> whose path ends in an image extension

Two more figures are printed apart and are in neither set: addresses with an image
extension that stand only inside <script> (JSON included, with "\\/" and "\\u002F" undone),
which no reader of markup can find ("script-only"), and image addresses in the other data-*
attributes of <img> and <picture><source> (the full-size copies a gallery script shows,
such as data-orig-file and data-large-file), which are no lazy-loading attributes
("other data-*").
"""

import argparse
import html.parser
import os
import re
import subprocess
import sys
import tempfile
import urllib.parse
from collections import Counter

IMAGE_EXTENSIONS = {
    "jpg", "jpeg", "jpe", "jfif", "png", "apng", "gif", "webp", "avif", "svg", "ico",
    "bmp", "tif", "tiff", "heic",
}
NOT_IMAGE_CSS = (".woff", ".woff2", ".ttf", ".otf", ".eot", ".css")
META_IMAGE_NAMES = {
    "og:image", "og:image:url", "og:image:secure_url", "twitter:image", "twitter:image:src",
}
BACKGROUND_ELEMENTS = {"body", "table", "tr", "td", "th"}
FETCHED_SCHEMES = {"http", "https", "ftp"}
EMBEDDED_CLASSES = [
    "img-src", "srcset", "picture", "lazy", "poster", "svg-image", "icon", "preload", "meta",
    "style-attr", "style-block", "background",
]
CSS_URL = re.compile(r"url\(\s*(?:\"([^\"]*)\"|'([^']*)'|([^)\"']*))\s*\)", re.IGNORECASE)
CSS_COMMENT = re.compile(r"/\*.*?\*/", re.DOTALL)
SCRIPT_URL = re.compile(r"(?:https?:)?//[a-z0-9-]+(?:\.[a-z0-9-]+)+(?:/[^\s\"'<>()\\,]*)?",
                        re.IGNORECASE)


def split(address):
    """urllib's parts of the address; None for one it cannot parse (a broken IPv6 host)."""
    try:
        return urllib.parse.urlsplit(address)
    except ValueError:
        return None


def path_extension(address):
    parts = split(address)
    path = parts.path if parts else ""
    name = path.rsplit("/", 1)[-1]
    return name.rsplit(".", 1)[-1].lower() if "." in name else ""


def has_image_extension(address):
    return path_extension(address) in IMAGE_EXTENSIONS


def srcset_candidates(value):
    """The addresses of a srcset value, by the candidate rules of the HTML standard."""
    addresses = []
    pos = 0
    while pos < len(value):
        while pos < len(value) and (value[pos].isspace() or value[pos] == ","):
            pos += 1
        start = pos
        while pos < len(value) and not value[pos].isspace():
            pos += 1
        address = value[start:pos]
        if address.endswith(","):
            address = address.rstrip(",")
        else:
            depth = 0
            while pos < len(value) and not (value[pos] == "," and depth == 0):
                depth += {"(": 1, ")": -1}.get(value[pos], 0)
                pos += 1
        if address:
            addresses.append(address)
    return addresses


def css_urls(css):
    for match in CSS_URL.finditer(CSS_COMMENT.sub("", css)):
        address = next(group for group in match.groups() if group is not None).strip()
        parts = split(address)
        path = parts.path.lower() if parts else ""
        if address and not address.startswith("#") and not path.endswith(NOT_IMAGE_CSS):
            yield address


def normalized(address):
    """The address as compared: scheme and host in lower case, default port, fragment and
    percent-encoding undone, white space inside dropped as browsers do."""
    address = re.sub(r"[\t\n\r]", "", address.strip())
    parts = split(address)
    if parts is None:
        return address
    host = (parts.hostname or "").lower()
    port = parts.port if parts.port not in (None, 80, 443, 21) else None
    netloc = host if port is None else f"{host}:{port}"
    path = urllib.parse.unquote(parts.path) or "/"
    query = urllib.parse.unquote(parts.query)
    return urllib.parse.urlunsplit((parts.scheme.lower(), netloc, path, query, ""))


def is_lazy_attribute(name):
    rest = name[5:] if name.startswith("data-") else ""
    return "src" in rest or rest in ("original", "lazy", "echo")


class ReferenceReader(html.parser.HTMLParser):
    """Collects the addresses of one page in page order. A <base href> counts from where it
    stands on, as for the images a browser fetches while it reads the page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        # (class, address as written, the <base href> in force there or None)
        self.found = []
        self.script_addresses = []
        self.other_data_addresses = []
        self.base = None
        self.svg_depth = 0
        self.picture_depth = 0
        self.in_tag = None

    def add(self, kind, address):
        if address is not None and address.strip():
            self.found.append((kind, address.strip(), self.base))

    def handle_starttag(self, tag, attrs):
        self.start(tag, attrs)
        if tag == "svg":
            self.svg_depth += 1
        if tag == "picture":
            self.picture_depth += 1
        self.in_tag = tag

    def handle_startendtag(self, tag, attrs):
        self.start(tag, attrs)
        self.in_tag = None

    def handle_endtag(self, tag):
        if tag == "svg" and self.svg_depth:
            self.svg_depth -= 1
        if tag == "picture" and self.picture_depth:
            self.picture_depth -= 1
        self.in_tag = None

    def handle_data(self, data):
        if self.in_tag == "style":
            for address in css_urls(data):
                self.add("style-block", address)
        elif self.in_tag == "script":
            unescaped = data.replace("\\/", "/").replace("\\u002F", "/").replace("\\u002f", "/")
            self.script_addresses += [a for a in SCRIPT_URL.findall(unescaped)
                                      if has_image_extension(a)]

    def start(self, tag, attrs):
        values = {}
        for name, value in attrs:
            values.setdefault(name, value if value is not None else "")
        if tag == "base" and self.base is None and "href" in values:
            self.base = values["href"]
        image_source = (tag == "img" or (tag == "source" and self.picture_depth)
                        or (tag == "input" and values.get("type", "").lower() == "image"))
        if image_source:
            self.image_attributes(tag, attrs)
        elif tag == "video":
            self.add("poster", values.get("poster"))
            self.add("poster", values.get("data-poster"))
        elif tag == "image" and self.svg_depth:
            self.add("svg-image", values.get("href"))
            self.add("svg-image", values.get("xlink:href"))
        elif tag == "link":
            rel = values.get("rel", "").lower().split()
            if any("icon" in word for word in rel):
                self.add("icon", values.get("href"))
            if "preload" in rel and values.get("as", "").lower() == "image":
                self.add("preload", values.get("href"))
                for address in srcset_candidates(values.get("imagesrcset", "")):
                    self.add("srcset", address)
        elif tag == "meta":
            name = (values.get("property") or values.get("name") or "").lower()
            if name in META_IMAGE_NAMES:
                self.add("meta", values.get("content"))
        elif tag in ("a", "area") and has_image_extension(values.get("href", "")):
            self.add("a-href", values.get("href"))
        if tag in BACKGROUND_ELEMENTS:
            self.add("background", values.get("background"))
        for address in css_urls(values.get("style", "")):
            self.add("style-attr", address)

    def image_attributes(self, tag, attrs):
        src_kind = "picture" if tag == "source" else "img-src"
        set_kind = "picture" if tag == "source" else "srcset"
        for name, value in attrs:
            value = value or ""
            if name == "src":
                self.add(src_kind, value)
            elif name == "srcset":
                for address in srcset_candidates(value):
                    self.add(set_kind, address)
            elif is_lazy_attribute(name):
                for address in (srcset_candidates(value) if "srcset" in name else [value]):
                    self.add("lazy", address)
            elif name.startswith("data-") and has_image_extension(value.strip()):
                self.other_data_addresses.append((value.strip(), self.base))


def resolve(page_url, base, address):
    try:
        base_url = urllib.parse.urljoin(page_url, base) if base else page_url
        absolute = urllib.parse.urljoin(base_url, re.sub(r"[\t\n\r]", "", address))
    except ValueError:
        return None
    parts = split(absolute)
    if parts is None or parts.scheme.lower() not in FETCHED_SCHEMES:
        return None
    return normalized(absolute)


def reference_sets(page_path, charset, page_url):
    """(embedded {address: class}, linked {address: class}, {figure: addresses} of the
    addresses counted apart)."""
    with open(page_path, "rb") as f:
        raw = f.read()
    reader = ReferenceReader()
    reader.feed(raw.decode(charset, errors="replace"))
    reader.close()
    embedded, linked = {}, {}
    for kind, address, base in reader.found:
        resolved = resolve(page_url, base, address)
        if resolved is None:
            continue
        target = linked if kind == "a-href" else embedded
        target.setdefault(resolved, kind)
    markup = set(embedded) | set(linked)

    def apart(addresses):
        resolved = (resolve(page_url, base, address) for address, base in addresses)
        return {a for a in resolved if a is not None and a not in markup}

    return embedded, linked, {
        "script-only": apart((a, None) for a in reader.script_addresses),
        "other data-*": apart(reader.other_data_addresses),
    }


def murlo_addresses(cli, folder, page_path, page_url):
    """The full addresses `murlo-cli scan` lists for the page, normalized."""
    result = subprocess.run([cli, "scan", page_path, "--page", page_url, "--raw"], cwd=folder,
                            capture_output=True, check=True)
    addresses = set()
    for line in result.stdout.decode("utf-8", errors="replace").splitlines():
        columns = line.split("\t")
        name = "" if columns[0] == "(index.htm)" else columns[0]
        addresses.add(normalized(columns[1] + name))
    return addresses


def configure(cli, folder):
    extensions = ";".join(sorted(IMAGE_EXTENSIONS - {"jpg", "gif"}))
    for setting in (["links", "img,a,body,frame,html5"], ["extensions", "htm,jpg,gif,custom"],
                    ["custom-extensions", extensions]):
        subprocess.run([cli, "settings", *setting], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL)


def read_manifest(pages):
    """The pages of the folder's MANIFEST: (path, charset, page address, site, year). The
    layout is that of the project's corpus of real pages (file, charset, page address,
    repository, path, commit), which may add the site and the year."""
    entries = []
    with open(os.path.join(pages, "MANIFEST"), encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            site = fields[6] if len(fields) > 6 else fields[0]
            year = fields[7] if len(fields) > 7 else ""
            entries.append((os.path.join(pages, fields[0]), fields[1], fields[2], site, year))
    return entries


def percent(found, total):
    return f"{100.0 * found / total:5.1f} %" if total else "    -  "


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", default=os.path.join(here, "..", "build/src/cli/murlo-cli"))
    parser.add_argument("--pages", action="append",
                        help="a folder with a MANIFEST (repeatable); bench/modern-pages if none")
    parser.add_argument("--min-recall", type=float, default=95.0)
    parser.add_argument("--verbose", action="store_true", help="list every missed address")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)

    totals = Counter()
    missed_by_class = Counter()
    reference_by_class = Counter()
    print("| page | year | embedded found | recall | linked found | recall | script-only "
          "| other data-* |")
    print("|---|---|---|---|---|---|---|---|")
    missed_lines = []
    with tempfile.TemporaryDirectory(prefix="link-recall-") as folder:
        configure(cli, folder)
        pages = [p for folder in args.pages or [os.path.join(here, "modern-pages")]
                 for p in read_manifest(folder)]
        for path, charset, url, site, year in pages:
            embedded, linked, apart = reference_sets(path, charset, url)
            found = murlo_addresses(cli, folder, path, url)
            embedded_found = sum(1 for a in embedded if a in found)
            linked_found = sum(1 for a in linked if a in found)
            for reference in (embedded, linked):
                for address, kind in reference.items():
                    reference_by_class[kind] += 1
                    if address not in found:
                        missed_by_class[kind] += 1
                        missed_lines.append(f"  {site}: {kind}: {address}")
            totals.update(embedded=len(embedded), embedded_found=embedded_found,
                          linked=len(linked), linked_found=linked_found)
            totals.update({figure: len(addresses) for figure, addresses in apart.items()})
            print(f"| {site} | {year} | {embedded_found} of {len(embedded)} | "
                  f"{percent(embedded_found, len(embedded))} | {linked_found} of {len(linked)} | "
                  f"{percent(linked_found, len(linked))} | {len(apart['script-only'])} | "
                  f"{len(apart['other data-*'])} |")
    print(f"| total | | {totals['embedded_found']} of {totals['embedded']} | "
          f"{percent(totals['embedded_found'], totals['embedded'])} | "
          f"{totals['linked_found']} of {totals['linked']} | "
          f"{percent(totals['linked_found'], totals['linked'])} | {totals['script-only']} | "
          f"{totals['other data-*']} |")

    print("\n| markup class | reference | missed |")
    print("|---|---|---|")
    for kind in EMBEDDED_CLASSES + ["a-href"]:
        if reference_by_class[kind]:
            print(f"| {kind} | {reference_by_class[kind]} | {missed_by_class[kind]} |")
    if args.verbose and missed_lines:
        print("\nmissed:")
        print("\n".join(missed_lines))

    recalls = [100.0 * totals[f"{kind}_found"] / totals[kind]
               for kind in ("embedded", "linked") if totals[kind]]
    return 0 if all(r >= args.min_recall for r in recalls) else 1


if __name__ == "__main__":
    sys.exit(main())
