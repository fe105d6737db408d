#!/usr/bin/env python3
"""Keeps the user's messages in the catalogue (src/core/text/Messages*.cpp).

  check-messages.py SRC           fails (exit 1) naming each place outside the catalogue where a
                                  Japanese string literal goes straight into a message: a message
                                  box, a status bar, standard error, or an error thrown (not
                                  vemo-cli's usage errors, which are English like its --help)
  check-messages.py --list SRC    lists every Japanese string literal in .cpp files outside the
                                  catalogue (what is left should be captions, labels and the fixed
                                  lines of reports and file formats)
"""
import pathlib
import re
import sys

JAPANESE = re.compile(r'"(?:[^"\\\n]|\\.)*[\u3000-\u9fff\uff00-\uffef](?:[^"\\\n]|\\.)*"')
# The start of a call whose text reaches the user as a message.
SINKS = re.compile(
    r'\bMessageBox::(?:Show|ShowCp932|Ask)\s*\('
    r'|\bQMessageBox::(?:warning|critical|information|question)\s*\('
    r'|\bshowMessage\s*\('
    r'|\bthrow\s+(?:vemo::)?(?!UsageError)\w*Error\s*[({]'
    r'|\bstd::cerr\b'
    r'|\bfprintf\s*\(\s*stderr'
)


def in_catalogue(path: pathlib.Path) -> bool:
    return path.parent.name == "text" and path.name.startswith("Messages")


def without_comments(text: str) -> str:
    # Comments become blanks of their own length, so that offsets still give line numbers; string
    # literals are matched too, so that a "//" inside one is left alone.
    def blank_comment(match: re.Match) -> str:
        found = match.group(0)
        return found if found.startswith('"') else re.sub(r"[^\n]", " ", found)
    return re.sub(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"', blank_comment, text, flags=re.S)


def statement_from(text: str, start: int) -> str:
    end = text.find(";", start)
    return text[start:] if end < 0 else text[start:end]


def sources(root: pathlib.Path):
    for path in sorted(root.rglob("*.cpp")):
        if not in_catalogue(path):
            yield path


def main(argv) -> int:
    listing = "--list" in argv
    roots = [pathlib.Path(a) for a in argv[1:] if a != "--list"]
    if not roots:
        print(__doc__, file=sys.stderr)
        return 2
    found = 0
    for root in roots:
        for path in sources(root):
            text = without_comments(path.read_text(encoding="utf-8"))
            if listing:
                for number, line in enumerate(text.splitlines(), 1):
                    if JAPANESE.search(line):
                        print(f"{path}:{number}: {line.strip()}")
                        found += 1
                continue
            for sink in SINKS.finditer(text):
                literal = JAPANESE.search(statement_from(text, sink.start()))
                if literal:
                    number = text.count("\n", 0, sink.start()) + 1
                    print(f"{path}:{number}: message text outside the catalogue: {literal.group(0)}")
                    found += 1
    if listing:
        print(f"{found} lines", file=sys.stderr)
        return 0
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
