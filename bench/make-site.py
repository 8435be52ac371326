#!/usr/bin/env python3
"""Writes a static test site for the crawl benchmarks.

    make-site.py FOLDER [small|medium]

small: 200 pages and 1,200 images; medium: 2,000 pages and 12,000 images. The same size
always gives the same files. Every page and image can be reached from /index.html.

The pages form a tree (eight children a page) with cross links, so the crawl meets every
kind of link the analysis resolves: plain relative ones ("p9.html", "n9/p9.html",
"img/pic3.gif"), climbing ones ("../p1.html", "../../index.html", "../x/pic5.gif" into a
one-letter folder), ones that start with "./" ("./n9/p9.html"), server-relative ones
("/n1/p9.html", "/shared/s0/pic4.jpg"), links with a fragment ("../p1.html#top") and, on
every tenth page, a link to the page itself with a query ("p10.html?v=1"). Some images are
linked from several pages. Links are written as double-quoted <a href="..."> and
<img src="..."> tags.
"""
import os
import posixpath
import random
import sys

SIZES = {"small": 200, "medium": 2000}
CHILDREN = 8
IMAGES_PER_PAGE = 6
CROSS_LINKS = 3
FOREIGN_IMAGES = 2
WORDS = ("murlo list item page image folder server address download analysis link tree "
         "branch leaf node crawl fetch save local remote").split()


def parent_of(page):
    return (page - 1) // CHILDREN


def page_dirs(count):
    """The folder of each page, as a server path ending in "/". Odd pages open a folder of
    their own under their parent's; even pages share their parent's folder."""
    dirs = ["/"]
    for page in range(1, count):
        parent_dir = dirs[parent_of(page)]
        dirs.append(parent_dir + f"n{page}/" if page % 2 else parent_dir)
    return dirs


def page_path(page, dirs):
    return "/index.html" if page == 0 else dirs[page] + f"p{page}.html"


def image_path(image, dirs):
    """Images 6p to 6p+5 belong to page p: three beside it, one in its img/ folder, one in
    the shared folder and one in its x/ folder."""
    page, kind = divmod(image, IMAGES_PER_PAGE)
    if kind < 3:
        return dirs[page] + f"pic{image}.jpg"
    if kind == 3:
        return dirs[page] + f"img/pic{image}.gif"
    if kind == 4:
        return f"/shared/s{image // 100}/pic{image}.jpg"
    return dirs[page] + f"x/pic{image}.gif"


def relative(target, from_dir):
    return posixpath.relpath(target, from_dir)


def page_html(page, count, dirs, rng):
    here = dirs[page]
    anchors = []
    if page > 0:
        anchors.append(relative(page_path(parent_of(page), dirs), here) + "#top")
        if parent_of(page) > 0:
            anchors.append(relative(page_path(parent_of(parent_of(page)), dirs), here))
    first_child = page * CHILDREN + 1
    for child in range(first_child, min(first_child + CHILDREN, count)):
        link = relative(page_path(child, dirs), here)
        anchors.append("./" + link if child == first_child else link)
    if page % 10 == 0:
        anchors.append(posixpath.basename(page_path(page, dirs)) + "?v=1")
    anchors += [page_path(rng.randrange(count), dirs) for _ in range(CROSS_LINKS)]

    images = []
    for image in range(page * IMAGES_PER_PAGE, (page + 1) * IMAGES_PER_PAGE):
        path = image_path(image, dirs)
        images.append(path if path.startswith("/shared/") else relative(path, here))
    if page > 0:
        # The parent's one-letter folder: "../x/..." from a page in a folder of its own.
        parent_x = image_path(parent_of(page) * IMAGES_PER_PAGE + IMAGES_PER_PAGE - 1, dirs)
        images.append(relative(parent_x, here))
    images += [image_path(rng.randrange(count * IMAGES_PER_PAGE), dirs)
               for _ in range(FOREIGN_IMAGES)]

    text = " ".join(rng.choice(WORDS) for _ in range(rng.randrange(150, 450)))
    lines = ["<!DOCTYPE html>", "<html>", "<head>", '<meta charset="utf-8">',
             f"<title>Page {page}</title>", "</head>", "<body>", f"<h1>Page {page}</h1>",
             f"<p>{text}</p>", "<ul>"]
    lines += [f'<li><a href="{link}">{link}</a></li>' for link in anchors]
    lines.append("</ul>")
    lines += [f'<img src="{link}" width="64" height="64">' for link in images]
    lines += ["</body>", "</html>", ""]
    return "\n".join(lines)


def image_bytes(image, path):
    rng = random.Random(image)
    body = rng.randbytes(rng.randrange(2000, 12000))
    if path.endswith(".gif"):
        return b"GIF89a" + body
    return b"\xff\xd8\xff\xe0\x00\x10JFIF\x00" + body + b"\xff\xd9"


def write(root, server_path, data):
    local = os.path.join(root, server_path.lstrip("/"))
    os.makedirs(os.path.dirname(local), exist_ok=True)
    with open(local, "wb") as out:
        out.write(data)


def main():
    if len(sys.argv) not in (2, 3) or (len(sys.argv) == 3 and sys.argv[2] not in SIZES):
        sys.exit(__doc__)
    root = sys.argv[1]
    count = SIZES[sys.argv[2] if len(sys.argv) == 3 else "medium"]
    dirs = page_dirs(count)
    rng = random.Random(count)
    for page in range(count):
        write(root, page_path(page, dirs), page_html(page, count, dirs, rng).encode())
    for image in range(count * IMAGES_PER_PAGE):
        path = image_path(image, dirs)
        write(root, path, image_bytes(image, path))


if __name__ == "__main__":
    main()
