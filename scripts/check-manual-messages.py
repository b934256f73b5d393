#!/usr/bin/env python3
"""Every text the filter shows a user, taken from the code, must be quoted in the manual's
chapters, so that a message changed in the code cannot go unexplained. Compared with all
whitespace runs (line breaks included) made one space. Prints the texts it misses."""
import glob
import re
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else '.'


def c_strings(text):
    """The concatenated value of adjacent C string literals, escapes turned into characters."""
    parts = re.findall(r'"((?:[^"\\]|\\.)*)"', text)
    return ''.join(parts).encode().decode('unicode_escape')


def one_space(text):
    return ' '.join(text.split())


def shown_texts():
    texts = []
    with open(f'{ROOT}/platform/string_table.h', encoding='utf-8') as f:
        table = f.read().replace('\\\n', ' ')
    for name, value in re.findall(r'#define (IDS_\w+)_STR\s+(.*)', table):
        if re.match(r'IDS_(MSG_|HELP_|ASK_|BACKGROUND_SAVED|SETTINGS_(SAVE|LOAD)_TITLE)', name):
            texts.append(c_strings(value))
    with open(f'{ROOT}/ui/ui_strings.def', encoding='utf-8') as f:
        for name, value in re.findall(r'VELOKROM_STRING\((IDS_\w+),[^,]*,\s*(".*")\)', f.read()):
            text = c_strings(value)
            # A file dialog's filter, "name|pattern|name|pattern|": the dialog shows the names.
            texts += [n for n in text.split('|')[0::2] if n] if '|' in text else [text]
    for path in glob.glob(f'{ROOT}/ui/*.cpp') + glob.glob(f'{ROOT}/host/*.cpp') + glob.glob(f'{ROOT}/plugin/*.cpp'):
        with open(path, encoding='utf-8') as f:
            code = f.read()
        texts += [c_strings(v) for v in re.findall(r'setupFailed\((".*?")\)', code)]
        texts += [c_strings(v) for v in re.findall(r'constexpr char k\w*Failed\[\] = (".*?");', code)]
    return texts


def main():
    manual = ''
    for path in sorted(glob.glob(f'{ROOT}/docs/manual/chapters/*.md')):
        with open(path, encoding='utf-8') as f:
            manual += f.read() + '\n'
    manual = one_space(manual.replace('\\*', '*'))
    texts = shown_texts()
    missing = [t for t in texts if one_space(t) not in manual]
    for text in missing:
        print(f'not in the manual: "{one_space(text)}"')
    if len(texts) < 60:
        print(f'only {len(texts)} texts found in the code: the patterns no longer match it')
        return 1
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main())
