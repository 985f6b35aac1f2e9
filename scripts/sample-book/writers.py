"""Writes the NCC, the SMIL files and the text documents of the sample book.

Players of DAISY 2.02 books often read the NCC and the SMIL files line by line with substring
searches rather than with an XML parser. So every heading and every page entry of the NCC stays
on one line, every meta element has a line of its own, <head> and <body> carry no attributes,
and in the SMIL files each par, text and audio element starts its own line."""

from html import escape

GENERATOR = "Orbis Velora make-sample-book"
XHTML_DOCTYPE = ('<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" '
                 '"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">')
SMIL_DOCTYPE = ('<!DOCTYPE smil PUBLIC "-//W3C//DTD SMIL 1.0//EN" '
                '"http://www.w3.org/TR/REC-smil/SMIL10.dtd">')
SKIPPABLE = {"page": "pagenumber", "sidebar": "sidebar", "footnote": "footnote"}


def text(value):
    return escape(value, quote=False)


def attr(value):
    return escape(value, quote=True)


def time_text(ms):
    """hh:mm:ss.fff; the fraction always has three digits, since readers take it as ms."""
    seconds, ms = divmod(ms, 1000)
    return f"{seconds // 3600:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}.{ms:03d}"


def whole_time_text(ms):
    seconds = (ms + 500) // 1000
    return f"{seconds // 3600:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}"


def meta(name, content):
    return f'\t\t<meta name="{attr(name)}" content="{attr(content)}"/>'


def ncc(book):
    m = book.meta
    pages = [p for p in book.phrases() if p.kind == "page"]
    sidebars = sum(1 for blocks in book.documents.values() for kind, _ in blocks
                   if kind == "sidebar")
    footnotes = sum(1 for p in book.phrases() if p.kind == "footnote")
    total_ms = sum(h.duration_ms() for h in book.headings)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', XHTML_DOCTYPE,
             f'<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="{attr(m["language"])}" '
             f'lang="{attr(m["language"])}">',
             "\t<head>",
             '\t\t<meta http-equiv="Content-type" content="text/html; charset=utf-8"/>',
             f"\t\t<title>{text(m['title'])}</title>",
             meta("dc:creator", m["creator"]),
             meta("dc:date", m["date"]),
             meta("dc:format", "Daisy 2.02"),
             meta("dc:identifier", m["identifier"]),
             meta("dc:language", m["language"]),
             meta("dc:publisher", m["publisher"]),
             meta("dc:title", m["title"]),
             meta("ncc:charset", "utf-8"),
             meta("ncc:depth", str(max(h.level for h in book.headings))),
             meta("ncc:footnotes", str(footnotes)),
             meta("ncc:generator", GENERATOR),
             meta("ncc:maxPageNormal", str(max((int(p.label) for p in pages), default=0))),
             meta("ncc:multimediaType", "audioFullText"),
             meta("ncc:narrator", m["narrator"]),
             meta("ncc:pageFront", "0"),
             meta("ncc:pageNormal", str(len(pages))),
             meta("ncc:pageSpecial", "0"),
             meta("ncc:prodNotes", "0"),
             meta("ncc:setInfo", "1 of 1"),
             meta("ncc:sidebars", str(sidebars)),
             meta("ncc:tocItems", str(len(book.headings) + len(pages))),
             meta("ncc:totalTime", whole_time_text(total_ms)),
             "\t</head>",
             "\t<body>"]
    entry = 0
    for heading in book.headings:
        entry += 1
        tag = f"h{heading.level}"
        title = ' class="title"' if entry == 1 else ""
        lines.append(f'\t\t<{tag}{title} id="n{entry:04d}"><a href="{heading.smil}#'
                     f'{heading.phrase.smil_text_id}">{text(heading.phrase.text)}</a></{tag}>')
        for page in (p for p in heading.phrases if p.kind == "page"):
            entry += 1
            lines.append(f'\t\t<span class="page-normal" id="n{entry:04d}"><a href="'
                         f'{heading.smil}#{page.smil_text_id}">{text(page.label)}</a></span>')
    lines += ["\t</body>", "</html>", ""]
    return "\n".join(lines)


def smil(book, heading, elapsed_ms):
    m = book.meta
    duration = heading.duration_ms()
    lines = ['<?xml version="1.0" encoding="utf-8"?>', SMIL_DOCTYPE, "<smil>", "\t<head>",
             meta("dc:format", "Daisy 2.02"),
             meta("dc:identifier", m["identifier"]),
             meta("dc:title", m["title"]),
             meta("ncc:generator", GENERATOR),
             meta("ncc:totalElapsedTime", time_text(elapsed_ms)),
             meta("ncc:timeInThisSmil", time_text(duration)),
             meta("title", heading.phrase.text),
             "\t\t<layout>", '\t\t\t<region id="txtView"/>', "\t\t</layout>",
             "\t</head>", "\t<body>",
             f'\t\t<seq dur="{duration / 1000:.3f}s">']
    phrases = heading.phrases
    for index, phrase in enumerate(phrases):
        note_follows = index + 1 < len(phrases) and phrases[index + 1].kind == "footnote"
        if note_follows:  # a reference and its note form a sequence of their own
            lines.append("\t\t\t<seq>")
        indent = "\t\t\t\t" if note_follows or phrase.kind == "footnote" else "\t\t\t"
        lines += _par(phrase, heading, indent)
        if phrase.kind == "footnote":
            lines.append("\t\t\t</seq>")
    lines += ["\t\t</seq>", "\t</body>", "</smil>", ""]
    return "\n".join(lines)


def _par(phrase, heading, indent):
    skip = SKIPPABLE.get(phrase.kind)
    extra = f' class="{skip}" system-required="{skip}-on"' if skip else ""
    return [f'{indent}<par endsync="last" id="{phrase.par_id}"{extra}>',
            f'{indent}\t<text src="{heading.document}#{phrase.text_id}" '
            f'id="{phrase.smil_text_id}"/>',
            f'{indent}\t<audio src="{heading.audio}" clip-begin="npt={phrase.begin_ms / 1000:.3f}s" '
            f'clip-end="npt={phrase.end_ms / 1000:.3f}s" id="{phrase.audio_id}"/>',
            f"{indent}</par>"]


STYLE = """\t\t<style type="text/css">
\t\t\tbody { font-family: sans-serif; line-height: 1.5; margin: 1em 2em; }
\t\t\t.page-normal { display: block; text-align: right; color: #555555; }
\t\t\t.sidebar { border: 2px solid #555555; padding: 0.5em 1em; margin: 1em 0; }
\t\t\t.footnote { font-size: 90%; border-top: 1px solid #555555; padding-top: 0.5em; }
\t\t\ta { color: inherit; text-decoration: none; }
\t\t</style>"""


def document(book, name, blocks, owner):
    """owner maps each phrase number to its heading, whose SMIL file the phrase links to."""
    m = book.meta
    lines = ['<?xml version="1.0" encoding="utf-8"?>', XHTML_DOCTYPE,
             f'<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="{attr(m["language"])}" '
             f'lang="{attr(m["language"])}">',
             "\t<head>",
             '\t\t<meta http-equiv="Content-type" content="text/html; charset=utf-8"/>',
             f"\t\t<title>{text(m['title'])}</title>",
             meta("dc:title", m["title"]),
             meta("dc:identifier", m["identifier"]),
             STYLE, "\t</head>", "\t<body>"]
    for kind, phrases in blocks:
        lines += _block(kind, phrases, owner)
    lines += ["\t</body>", "</html>", ""]
    return "\n".join(lines)


def _link(phrase, owner):
    return f'<a href="{owner[phrase.number].smil}#{phrase.smil_text_id}">{text(phrase.text)}</a>'


def _span(phrase, owner):
    if phrase.kind == "noteref":
        return (f'<sup><span class="noteref" id="{phrase.text_id}">'
                f'{_link(phrase, owner)}</span></sup>')
    return f'<span class="phrase" id="{phrase.text_id}">{_link(phrase, owner)}</span>'


def _block(kind, phrases, owner):
    if kind.startswith("h"):
        p = phrases[0]
        return [f'\t\t<{kind} id="{p.text_id}">{_link(p, owner)}</{kind}>']
    if kind == "page":
        p = phrases[0]
        return [f'\t\t<p><span class="page-normal" id="{p.text_id}">{_link(p, owner)}</span></p>']
    if kind == "footnote":
        p = phrases[0]
        return [f'\t\t<div class="footnote">',
                f'\t\t\t<p><span class="notelabel">{text(p.label)}</span> {_span(p, owner)}</p>',
                "\t\t</div>"]
    body = ["\t\t\t" + _span(p, owner) for p in phrases]
    if kind == "sidebar":
        return ['\t\t<div class="sidebar">', "\t\t\t<p>", *("\t" + b for b in body),
                "\t\t\t</p>", "\t\t</div>"]
    return ["\t\t<p>", *body, "\t\t</p>"]
