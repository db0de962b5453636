#!/usr/bin/env python3
"""Writes the download zip: grabnik.exe, README.txt and LICENSE.txt, in that
order, with the same bytes wherever and whenever it runs.

    make-release-zip.py OUT.zip GRABNIK_EXE README_MD LICENSE

Entry times are SOURCE_DATE_EPOCH (the last commit's time), never the files'
times on disk; attributes are fixed, never the umask's.
"""
import os
import re
import sys
import time
import zipfile

# Everything above this line of README.md is the user's part.
USER_PART_END = "<!-- The download's README.txt ends here. -->"


def readme_txt(markdown: str) -> bytes:
    """The user's part of the README as a Windows text file: pictures cannot
    show in a text file, so their references and their captions (the
    italic paragraph after each) go; CRLF line ends, and a byte order mark
    so that Notepad reads the UTF-8 as such."""
    if USER_PART_END not in markdown:
        sys.exit("README.md lacks the line: " + USER_PART_END)
    text = markdown.split(USER_PART_END)[0]
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)\n+(\*[^*]+\*\n)?", "", text)
    text = re.sub(r"\n{3,}", "\n\n", text).strip() + "\n"
    return b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8")


def entry(name: str, epoch: int) -> zipfile.ZipInfo:
    # A zip's times are local calendar times from 1980 on; UTC is the one
    # reading every machine agrees on.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = 0  # made for Windows: no Unix permissions to carry
    info.external_attr = 0
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main() -> None:
    out, exe, readme, licence = sys.argv[1:5]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    with open(exe, "rb") as f:
        program = f.read()
    with open(readme, encoding="utf-8") as f:
        guide = readme_txt(f.read())
    with open(licence, "rb") as f:
        terms = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in (("grabnik.exe", program), ("README.txt", guide), ("LICENSE.txt", terms)):
            archive.writestr(entry(name, epoch), data, compresslevel=9)


if __name__ == "__main__":
    main()
