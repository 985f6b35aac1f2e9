"""Reads the line-based description of the sample book (see the comment at the top of book.txt)
into headings, phrases and the blocks of each text document."""

import re
from dataclasses import dataclass, field


@dataclass
class Phrase:
    kind: str  # heading, text, page, sidebar, noteref, footnote
    text: str  # what the text document shows
    spoken: str  # what eSpeak NG says
    label: str = ""  # page number or note number
    number: int = 0  # book-wide position in reading order, gives the ids
    begin_ms: int = 0  # clip in the heading's audio file
    end_ms: int = 0

    @property
    def text_id(self):  # id of the element in the text document
        return f"w{self.number:04d}"

    @property
    def smil_text_id(self):
        return f"x{self.number:04d}"

    @property
    def par_id(self):
        return f"p{self.number:04d}"

    @property
    def audio_id(self):
        return f"a{self.number:04d}"


@dataclass
class Heading:
    level: int
    phrase: Phrase
    document: str
    number: int  # 1-based, names the SMIL and MP3 files
    phrases: list = field(default_factory=list)  # in reading (SMIL) order, heading first

    @property
    def smil(self):
        return f"s{self.number:04d}.smil"

    @property
    def audio(self):
        return f"s{self.number:04d}.mp3"

    def duration_ms(self):
        return self.phrases[-1].end_ms if self.phrases else 0


@dataclass
class Book:
    meta: dict = field(default_factory=dict)
    headings: list = field(default_factory=list)
    # document name -> list of (block kind, [phrases]) in source order
    documents: dict = field(default_factory=dict)

    def phrases(self):
        return [p for h in self.headings for p in h.phrases]


class SourceError(Exception):
    pass


def parse(lines):
    book = Book()
    state = _ParseState(book)
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip("\n").strip()
        try:
            state.take(line)
        except SourceError as error:
            raise SourceError(f"line {number}: {error}") from None
    state.finish()
    _number_phrases(book)
    return book


class _ParseState:
    def __init__(self, book):
        self.book = book
        self.document = None
        self.heading = None
        self.block = None  # the open paragraph or sidebar: (kind, [phrases])
        self.noterefs = {}  # note label -> noteref phrase of the current heading

    def take(self, line):
        if line.startswith(";"):
            return
        if not line:
            self.block = None
            return
        if self.document is None and not line.startswith("@"):
            key, sep, value = line.partition(":")
            if not sep:
                raise SourceError("metadata line without ':'")
            self.book.meta[key.strip()] = value.strip()
            return
        if line.startswith("@document "):
            self.document = line.split(None, 1)[1]
            self.book.documents.setdefault(self.document, [])
            self.block = None
            return
        if self.document is None:
            raise SourceError("content before the first @document")
        match = re.match(r"(#{1,3}) +(.+)$", line)
        if match:
            self._heading(len(match.group(1)), match.group(2))
        elif line.startswith("@page "):
            label = line.split(None, 1)[1]
            self._standalone("page", Phrase("page", label, f"Page {label}.", label))
        elif line.startswith("@sidebar "):
            text, spoken = _split_spoken(line.split(None, 1)[1])
            if not self.block or self.block[0] != "sidebar":
                self._open_block("sidebar")
            self._add(Phrase("sidebar", text, spoken))
        elif line.startswith("@noteref "):
            label = line.split(None, 1)[1]
            phrase = Phrase("noteref", label, f"Note {label}.", label)
            if not self.block or self.block[0] != "para":
                self._open_block("para")
            self._add(phrase)
            self.noterefs[label] = phrase
        elif line.startswith("@footnote "):
            self._footnote(line)
        elif line.startswith("@"):
            raise SourceError(f"unknown directive {line.split()[0]}")
        else:
            text, spoken = _split_spoken(line)
            if not self.block or self.block[0] != "para":
                self._open_block("para")
            self._add(Phrase("text", text, spoken))

    def _heading(self, level, line):
        if self.noterefs:
            raise SourceError(f"note references without a footnote: {sorted(self.noterefs)}")
        text, spoken = _split_spoken(line)
        phrase = Phrase("heading", text, spoken)
        self.heading = Heading(level, phrase, self.document, len(self.book.headings) + 1)
        self.book.headings.append(self.heading)
        self.noterefs = {}
        self._standalone(f"h{level}", phrase)

    def _footnote(self, line):
        parts = line.split(None, 2)
        if len(parts) < 3:
            raise SourceError("@footnote needs a label and a text")
        label, (text, spoken) = parts[1], _split_spoken(parts[2])
        ref = self.noterefs.pop(label, None)
        if ref is None:
            raise SourceError(f"footnote {label} has no reference under this heading")
        phrase = Phrase("footnote", text, spoken, label)
        self._standalone("footnote", phrase, in_reading_order=False)
        # A note is read right where it is referred to, so it follows its reference in the SMIL.
        phrases = self.heading.phrases
        phrases.insert(phrases.index(ref) + 1, phrase)

    def _standalone(self, kind, phrase, in_reading_order=True):
        self._open_block(kind)
        self._add(phrase, in_reading_order)
        self.block = None

    def _open_block(self, kind):
        self.block = (kind, [])
        self.book.documents[self.document].append(self.block)

    def _add(self, phrase, in_reading_order=True):
        if self.heading is None:
            raise SourceError("text before the first heading")
        self.block[1].append(phrase)
        if in_reading_order:
            self.heading.phrases.append(phrase)

    def finish(self):
        if self.noterefs:
            raise SourceError(f"note references without a footnote: {sorted(self.noterefs)}")
        if not self.book.headings:
            raise SourceError("the book has no heading")


def _split_spoken(line):
    text, sep, spoken = line.partition(" | ")
    return text.strip(), (spoken.strip() if sep else text.strip())


def _number_phrases(book):
    for number, phrase in enumerate(book.phrases(), 1):
        phrase.number = number
