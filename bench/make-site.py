#!/usr/bin/env python3
"""Writes a static test site for the crawl benchmarks.

    make-site.py FOLDER [tiny|small|medium] [--modern HOST MANIFEST]

tiny: 50 pages and 300 images; small: 200 pages and 1,200 images; medium: 2,000 pages and
12,000 images. The same size always gives the same files. Every page and image can be
reached from /index.html.

The pages form a tree (eight children a page) with cross links, so the crawl meets every
kind of link the analysis resolves: plain relative ones ("p9.html", "n9/p9.html",
"img/pic3.gif"), climbing ones ("../p1.html", "../../index.html", "../x/pic5.gif" into a
one-letter folder), ones that start with "./" ("./n9/p9.html"), server-relative ones
("/n1/p9.html", "/shared/s0/pic4.jpg"), links with a fragment ("../p1.html#top") and, on
every tenth page, a link to the page itself with a query ("p10.html?v=1"). Some images are
linked from several pages. Links are written as double-quoted <a href="..."> and
<img src="..."> tags.

With --modern the pages are written in the markup of current sites instead, for the site
HOST ("127.0.0.1:8080", which protocol-relative links name): srcset with several
candidates, lazy-loading data-src and data-srcset, <picture><source>, CSS backgrounds in
style attributes (with "&quot;") and in a <style> block, protocol-relative links, single-
quoted and unquoted values, "&amp;" in a query, og:image, icons and video posters. Each
image is then one of several files (its srcset candidates, a wide .webp for the picture).
MANIFEST gets the server path of every image put into the site, one a line.
"""
import argparse
import os
import posixpath
import random
import zlib

SIZES = {"tiny": 50, "small": 200, "medium": 2000}
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


def page_links(page, count, dirs, rng):
    """The anchors and images of a page, as links from its folder."""
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
    return anchors, images


def page_text(rng):
    return " ".join(rng.choice(WORDS) for _ in range(rng.randrange(150, 450)))


def page_html(page, count, dirs, rng):
    anchors, images = page_links(page, count, dirs, rng)
    text = page_text(rng)
    lines = ["<!DOCTYPE html>", "<html>", "<head>", '<meta charset="utf-8">',
             f"<title>Page {page}</title>", "</head>", "<body>", f"<h1>Page {page}</h1>",
             f"<p>{text}</p>", "<ul>"]
    lines += [f'<li><a href="{link}">{link}</a></li>' for link in anchors]
    lines.append("</ul>")
    lines += [f'<img src="{link}" width="64" height="64">' for link in images]
    lines += ["</body>", "</html>", ""]
    return "\n".join(lines)


# The other files of an image in modern markup: "a/pic0.jpg" gives "a/pic0-480.jpg".
def variant(path, suffix, extension=None):
    stem, ext = posixpath.splitext(path)
    return stem + suffix + (extension or ext)


ICONS = ("/icons/icon-32.png", "/icons/touch-180.png")
LAZY_PIXEL = "data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7"


def og_image(page):
    return f"/shared/og/p{page}.jpg"


def poster(page, dirs):
    return dirs[page] + f"poster{page}.jpg" if page % 5 == 0 else None


def modern_images(page, count, dirs):
    """The server paths of the image files the modern markup of a page names."""
    paths = [og_image(page)]
    if poster(page, dirs):
        paths.append(poster(page, dirs))
    for image in range(page * IMAGES_PER_PAGE, (page + 1) * IMAGES_PER_PAGE):
        path = image_path(image, dirs)
        paths.append(path)
        kind = image % IMAGES_PER_PAGE
        if kind == 0:
            paths += [variant(path, "-480"), variant(path, "-1600")]
        elif kind == 1:
            paths.append(variant(path, "-2x"))
        elif kind == 2:
            paths.append(variant(path, "-wide", ".webp"))
    return paths


def quoted(name, value, style):
    """An attribute in one of three quotings, as pages mix them."""
    if style == 0:
        return f'{name}="{value}"'
    if style == 1:
        return f"{name}='{value}'"
    return f"{name}={value}"


def modern_page_html(page, count, dirs, rng, host):
    anchors, images = page_links(page, count, dirs, rng)
    text = page_text(rng)
    here = dirs[page]
    own, others = images[:IMAGES_PER_PAGE], images[IMAGES_PER_PAGE:]
    pic0, pic1, pic2, pic3, pic4, pic5 = own
    lines = ["<!DOCTYPE html>", '<html lang="ja">', "<head>", '<meta charset="utf-8">',
             f"<title>Page {page}</title>",
             f'<meta property="og:image" content="//{host}{og_image(page)}">',
             f"<link rel='icon' type='image/png' sizes='32x32' href='{ICONS[0]}'>",
             f'<link rel="apple-touch-icon" href="//{host}{ICONS[1]}">',
             "<style>", "body { font-family: sans-serif }",
             f".p5 {{ background: url({pic5}) no-repeat center / cover }}", "</style>",
             "</head>", "<body>", f'<header class="site"><h1>Page {page}</h1></header>',
             f'<div class="hero" style="background-image: url(&quot;{pic3}&quot;)"></div>',
             f"<main><p>{text}</p>", '<nav><ul class="links">']
    for i, link in enumerate(anchors):
        quoting = i % 3
        if link.startswith("/") and i % 2:
            # Quoted: one of the crawlers compared loses the rest of a page after an
            # unquoted value starting with "//".
            link, quoting = f"//{host}{link}", i % 2
        link = link.replace("?v=1", "?v=1&amp;w=2")
        lines.append(f'<li class="item">{"<a " + quoted("href", link, quoting)}>{i}</a></li>')
    lines.append("</ul></nav>")
    lines += [
        f'<img class="photo" alt="" {quoted("src", pic0, page % 3)} '
        f'srcset="{variant(pic0, "-480")} 480w, {pic0} 800w, {variant(pic0, "-1600")} 1600w" '
        'sizes="(max-width: 600px) 480px, 800px">',
        f'<img class="lazyload" src="{LAZY_PIXEL}" data-src={pic1} '
        f"data-srcset='{pic1} 1x, {variant(pic1, '-2x')} 2x' loading=\"lazy\">",
        f'<picture><source type="image/webp" media="(min-width: 800px)" '
        f'srcset="{variant(pic2, "-wide", ".webp")}"><img src="{pic2}" alt="p"></picture>',
        f'<figure><img width=64 height=64 alt="shared" src="//{host}{pic4}"></figure>',
        '<div class="p5"></div>']
    if poster(page, dirs):
        lines.append(f"<video controls preload=none "
                     f"poster='{relative(poster(page, dirs), here)}'></video>")
    for i, link in enumerate(others):
        lines.append(f"<img alt='other' {quoted('src', link, 1 + i % 2)}>")
    lines += ["</main>", "</body>", "</html>", ""]
    return "\n".join(lines)


def image_bytes(seed, path):
    rng = random.Random(seed)
    body = rng.randbytes(rng.randrange(2000, 12000))
    if path.endswith(".gif"):
        return b"GIF89a" + body
    if path.endswith(".png"):
        return b"\x89PNG\r\n\x1a\n" + body
    if path.endswith(".webp"):
        return b"RIFF" + len(body).to_bytes(4, "little") + b"WEBP" + body
    return b"\xff\xd8\xff\xe0\x00\x10JFIF\x00" + body + b"\xff\xd9"


def write(root, server_path, data):
    local = os.path.join(root, server_path.lstrip("/"))
    os.makedirs(os.path.dirname(local), exist_ok=True)
    with open(local, "wb") as out:
        out.write(data)


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("folder")
    parser.add_argument("size", nargs="?", default="medium", choices=SIZES)
    parser.add_argument("--modern", nargs=2, metavar=("HOST", "MANIFEST"))
    args = parser.parse_args()
    root = args.folder
    count = SIZES[args.size]
    dirs = page_dirs(count)
    rng = random.Random(count)
    for page in range(count):
        html = (modern_page_html(page, count, dirs, rng, args.modern[0]) if args.modern
                else page_html(page, count, dirs, rng))
        write(root, page_path(page, dirs), html.encode())
    for image in range(count * IMAGES_PER_PAGE):
        path = image_path(image, dirs)
        write(root, path, image_bytes(image, path))
    if args.modern:
        images = set(ICONS)
        for page in range(count):
            images.update(modern_images(page, count, dirs))
        for path in images:
            if not os.path.exists(os.path.join(root, path.lstrip("/"))):
                write(root, path, image_bytes(zlib.crc32(path.encode()), path))
        with open(args.modern[1], "w", encoding="utf-8") as manifest:
            manifest.writelines(path + "\n" for path in sorted(images))


if __name__ == "__main__":
    main()
