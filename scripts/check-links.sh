#!/usr/bin/env bash
# Checks that every relative link and picture of FOLDER/README.md and FOLDER/docs/*.md (those
# that are there) resolves: Markdown links [text](target), pictures ![alt](target), reference
# definitions [label]: target and HTML src/href. The target is taken relative to the Markdown
# file's own folder and must stay inside FOLDER; an anchor (file.md#anchor, or #anchor within
# the file) must name a heading of that Markdown file as GitHub makes heading anchors, or an
# HTML id or name. Absolute URLs (http:, https:, mailto: ...) are not checked; code blocks and
# code spans are skipped. Prints one line per broken link and exits 1 if there is any.
# Usage: scripts/check-links.sh [FOLDER]          (default: the repository's root)
#        scripts/check-links.sh --targets FILE...  the local files the Markdown FILEs link to,
#                                                  one per line, relative to the current folder
set -euo pipefail
if [ "${1:-}" != --targets ]; then
  [ $# -le 1 ] || { echo "usage: scripts/check-links.sh [FOLDER] | --targets FILE..." >&2; exit 2; }
  set -- --check "${1:-$(dirname "$0")/..}"
fi
exec python3 - "$@" <<'EOF'
import html, os, re, sys, unicodedata
from urllib.parse import unquote

FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")
ATX = re.compile(r"^ {0,3}(#{1,6})(?:[ \t]+(.*?))?(?:[ \t]+#+)?[ \t]*$")
SETEXT = re.compile(r"^ {0,3}(=+|-+)[ \t]*$")
DEFINITION = re.compile(r"^ {0,3}\[(?!\^)[^\]]+\]:[ \t]*(<[^>]*>|\S+)")
HTML_LINK = re.compile(r"<(?:img|a|source)\b[^>]*?\b(?:src|href)\s*=\s*[\"']([^\"']*)[\"']", re.I)
HTML_ID = re.compile(r"<[a-z][^>]*?\b(?:id|name)\s*=\s*[\"']([^\"']*)[\"']", re.I)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")
PICTURE = re.compile(r"\.(png|jpe?g|gif|svg|webp)$", re.I)


def without_code_spans(line):
    """The line with each code span blanked out (same length, so columns stay)."""
    out, at = [], 0
    for m in re.finditer(r"(`+)(.+?)(?<!`)\1(?!`)", line):
        out.append(line[at:m.start()] + " " * (m.end() - m.start()))
        at = m.end()
    return "".join(out) + line[at:]


def lines_outside_code(path, spans=False):
    """(number, text) of each line outside fenced code blocks; code spans blanked unless spans."""
    fence = None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            m = FENCE.match(line)
            if fence:
                if m and m.group(1)[0] == fence[0] and len(m.group(1)) >= len(fence) and not line.strip(fence[0] + " \t"):
                    fence = None
                continue
            if m:
                fence = m.group(1)
                continue
            yield number, line if spans else without_code_spans(line)


def link_destination(text, at):
    """The destination of an inline link whose "(" is at text[at], or None."""
    rest = text[at + 1:].lstrip()
    if rest.startswith("<"):
        end = rest.find(">")
        return rest[1:end] if end > 0 else None
    depth, out = 0, []
    for c in rest:
        if c == "(":
            depth += 1
        elif c == ")":
            if depth == 0:
                break
            depth -= 1
        elif c.isspace():
            break
        out.append(c)
    return "".join(out)


def links(path):
    """(line number, target) of each link, picture, definition and HTML src/href."""
    for number, line in lines_outside_code(path):
        for m in re.finditer(r"\]\(", line):
            target = link_destination(line, m.end() - 1)
            if target is not None:
                yield number, target
        m = DEFINITION.match(line)
        if m:
            yield number, m.group(1).strip("<>")
        for m in HTML_LINK.finditer(line):
            yield number, html.unescape(m.group(1))


def plain_heading(text):
    """A heading's text as GitHub renders it: no pictures, link targets, emphasis or tags
    outside code spans, whose text stays as it is."""
    out, at = [], 0
    for m in list(re.finditer(r"(`+)(.+?)(?<!`)\1(?!`)", text)) + [None]:
        part = text[at:m.start() if m else len(text)]
        part = re.sub(r"!\[([^\]]*)\]\([^)]*\)", r"\1", part)
        part = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", part)
        part = re.sub(r"\[([^\]]*)\]\[[^\]]*\]", r"\1", part)
        part = re.sub(r"<[^>]+>", "", part)
        part = re.sub(r"(\*+|(?<!\w)_+|_+(?!\w))", "", part)
        out.append(html.unescape(part))
        if m:
            code = m.group(2)  # one blank each side is dropped when both are there
            out.append(code[1:-1] if len(code) > 2 and code[0] == code[-1] == " " and code.strip() else code)
            at = m.end()
    return "".join(out)


def github_anchor(text):
    """Lower case; every character but letters, digits, marks, "_", "-" and " " dropped; each
    blank a hyphen."""
    keep = []
    for c in plain_heading(text).strip().lower():
        if c in "-_ " or unicodedata.category(c)[0] in "LNM":
            keep.append("-" if c == " " else c)
    return "".join(keep)


anchors_of = {}


def anchors(path):
    """Every anchor of a Markdown file: its headings' (a repeated one gets -1, -2, ...) and
    the ids and names of its HTML elements."""
    if path not in anchors_of:
        found, seen, before = set(), {}, None
        for _, line in lines_outside_code(path, spans=True):
            heading = None
            m = ATX.match(line)
            if m:
                heading = m.group(2) or ""
            elif before and SETEXT.match(line) and not re.match(r"^ {0,3}([-*+>|]|\d+[.)])", before):
                heading = before
            if heading is not None:
                base = github_anchor(heading)
                n = seen.get(base, 0)
                seen[base] = n + 1
                found.add(base if n == 0 else f"{base}-{n}")
            found.update(m.group(1) for m in HTML_ID.finditer(line))
            before = line if line.strip() and heading is None else None
        anchors_of[path] = found
    return anchors_of[path]


def local(target):
    """(path, anchor) of a relative target, or None for an absolute URL."""
    if not target or SCHEME.match(target) or target.startswith("//"):
        return None
    path, _, anchor = target.partition("#")
    path = path.split("?", 1)[0]
    return unquote(path), unquote(anchor)


def problem(source, target, root):
    """Why a relative target does not resolve, or None."""
    path, anchor = local(target)
    resolved = os.path.normpath(os.path.join(os.path.dirname(source), path)) if path else source
    if os.path.commonpath([root, os.path.abspath(resolved)]) != root:
        return "leads outside " + root
    if path and not os.path.exists(resolved):
        return "no such file"
    if anchor and resolved.lower().endswith(".md") and os.path.isfile(resolved):
        if anchor.lower() not in anchors(resolved):
            return "no heading with the anchor #" + anchor + " in " + os.path.relpath(resolved, root)
    return None


if sys.argv[1] == "--targets":
    for source in sys.argv[2:]:
        for _, target in links(source):
            if local(target) and local(target)[0]:
                print(os.path.normpath(os.path.join(os.path.dirname(source), local(target)[0])))
    sys.exit(0)

root = os.path.abspath(sys.argv[2])
files = [p for p in [os.path.join(root, "README.md")] if os.path.isfile(p)]
if os.path.isdir(os.path.join(root, "docs")):
    files += sorted(os.path.join(root, "docs", n) for n in os.listdir(os.path.join(root, "docs")) if n.endswith(".md"))
if not files:
    sys.exit(f"check-links: no README.md and no docs/*.md in {root}")
count = broken = 0
for source in files:
    for number, target in links(source):
        if local(target) is None:
            continue
        count += 1
        why = problem(source, target, root)
        if why:
            broken += 1
            print(f"{os.path.relpath(source, root)}:{number}: {target}: {why}")
names = ", ".join(os.path.relpath(p, root) for p in files)
if broken:
    print(f"check-links: {broken} of {count} relative links broken ({names})")
    sys.exit(1)
print(f"check-links: {count} relative links resolve ({names})")
EOF
