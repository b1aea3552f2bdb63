#!/usr/bin/env python3
"""popup_ini.py: read and write the sections of package/popup.ini, each in its
language's ANSI code page, as UTF-8 text.

  popup_ini.py show SECTION            the section's lines, as UTF-8
  popup_ini.py put SECTION < FILE      replaces (or appends) the section with
                                       FILE's lines (UTF-8), in its code page
  popup_ini.py check                   every section decodes in its code page

Lines end in CR LF; a section runs to the next section or comment block."""
import sys

# The ANSI code page of each language id's texts; the rest are Windows-1252.
CODE_PAGES = {
    1045: 'cp1250', 1029: 'cp1250', 1038: 'cp1250', 1048: 'cp1250',
    1049: 'cp1251', 1058: 'cp1251', 1032: 'cp1253', 1055: 'cp1254',
    1041: 'cp932', 2052: 'gbk', 1028: 'cp950', 1042: 'cp949',
}
PATH = 'package/popup.ini'


def code_page(section):
    return CODE_PAGES.get(int(section), 'cp1252') if section.isdigit() else 'cp1252'


def split_tail(lines):
    """A section's own lines, and the comment and empty lines at its end,
    which belong to the next section."""
    end = len(lines)
    while end > 1 and (not lines[end - 1] or lines[end - 1].startswith(b';')):
        end -= 1
    return lines[:end], lines[end:]


def blocks(data):
    """The file as (section or None, list of raw lines without CR LF)."""
    parts, name, lines = [], None, []
    for raw in data.split(b'\r\n'):
        if raw.startswith(b'['):
            parts.append((name, lines))
            name, lines = raw[1:raw.index(b']')].decode('ascii'), [raw]
        else:
            lines.append(raw)
    parts.append((name, lines))
    return parts


def main():
    data = open(PATH, 'rb').read()
    parts = blocks(data)
    if sys.argv[1] == 'show':
        for name, lines in parts:
            if name == sys.argv[2]:
                for line in split_tail(lines)[0]:
                    sys.stdout.write(line.decode(code_page(name)) + '\n')
    elif sys.argv[1] == 'put':
        name = sys.argv[2]
        new = [line.encode(code_page(name)) for line in sys.stdin.read().splitlines()]
        while new and not new[-1]:
            new.pop()
        for i, (section, lines) in enumerate(parts):
            if section == name:
                parts[i] = (name, new + split_tail(lines)[1])
                break
        else:
            last, tail = split_tail(parts[-1][1])
            parts[-1] = (parts[-1][0], last + [b''])
            parts.append((name, new + tail))
        out = b'\r\n'.join(b'\r\n'.join(lines) for _, lines in parts)
        open(PATH, 'wb').write(out)
    elif sys.argv[1] == 'check':
        for name, lines in parts:
            for line in lines:
                line.decode(code_page(name) if name else 'ascii')
        print('ok')


if __name__ == '__main__':
    main()
