#!/usr/bin/python3
"""Checks a built plug-in library from the outside, the way a host sees it before loading it:
the property list's 206 bytes, the one export, no MinGW runtime DLL among the imports, the
two dialog templates, and the version resource that Explorer's Details tab shows.
Usage: check_plugin_binary.py PLUGIN.8bf (i686|x86_64) VERSION"""
import os
import struct
import sys

import pefile

RT_DIALOG = 5


def four_cc(code):
    """A four-character code as hosts read it: a little-endian 32-bit value."""
    return struct.pack('<I', int.from_bytes(code.encode('ascii'), 'big'))


def prop(key, data):
    padded = data + b'\0' * (-len(data) % 4)
    return four_cc('8BIM') + four_cc(key) + struct.pack('<ii', 0, len(data)) + padded


def pascal(text, size):
    return (bytes([len(text)]) + text.encode('ascii')).ljust(size, b'\0')


def expected_pipl(arch):
    entry_key = '8664' if arch == 'x86_64' else 'wx86'
    cases = [(1, 1, 0x01), (1, 1, 0x06), (0, 0, 0x07), (0, 0, 0x07), (0, 0, 0x07), (1, 1, 0x03), (1, 1, 0x03)]
    props = [
        prop('kind', four_cc('8BFM')),
        prop('name', pascal('Velokrom...', 20)),
        prop('catg', pascal('Composite', 12)),
        prop('vers', struct.pack('<I', 0x00040000)),
        prop(entry_key, b'ENTRYPOINT'.ljust(12, b'\0')),
        prop('mode', bytes([0x10, 0x00]).ljust(4, b'\0')),
        prop('fici', b''.join(bytes([i, o, f, 0]) for i, o, f in cases)),
    ]
    return struct.pack('<hii', 1, 0, len(props)) + b''.join(props)


def resource(pe, type_key, name):
    for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if (t.name is not None and str(t.name) == type_key) or t.id == type_key:
            for n in t.directory.entries:
                if (n.name is not None and str(n.name) == name) or n.id == name:
                    e = n.directory.entries[0].data.struct
                    return pe.get_data(e.OffsetToData, e.Size)
    return None


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from('<' + fmt, self.data, self.pos)
        self.pos += struct.calcsize('<' + fmt)
        return values

    def text_or_ordinal(self):
        (first,) = self.take('H')
        if first == 0xFFFF:
            return self.take('H')[0]
        chars = []
        while first:
            chars.append(chr(first))
            (first,) = self.take('H')
        return ''.join(chars)

    def align(self):
        self.pos += -self.pos % 4


def parse_dialog(data):
    """A DLGTEMPLATE (not the EX form) with its items."""
    r = Reader(data)
    style, _exstyle, count, x, y, cx, cy = r.take('IIHhhhh')
    dialog = {'style': style, 'rect': (x, y, cx, cy), 'menu': r.text_or_ordinal(),
              'class': r.text_or_ordinal(), 'title': r.text_or_ordinal(), 'items': []}
    if style & 0x40:  # DS_SETFONT
        dialog['font'] = (r.take('H')[0], r.text_or_ordinal())
    for _ in range(count):
        r.align()
        istyle, _iex, ix, iy, icx, icy, ident = r.take('IIhhhhH')
        klass, title = r.text_or_ordinal(), r.text_or_ordinal()
        klass = PREDEFINED_CLASSES.get(klass, klass.upper() if isinstance(klass, str) else klass)
        (extra,) = r.take('H')
        r.pos += extra
        dialog['items'].append({'style': istyle, 'rect': (ix, iy, icx, icy), 'id': ident,
                                'class': klass, 'title': title})
    return dialog


WS_POPUP, WS_CAPTION, WS_SYSMENU, WS_GROUP, WS_TABSTOP = 0x80000000, 0x00C00000, 0x00080000, 0x00020000, 0x00010000
DS_SYSMODAL, DS_MODALFRAME = 0x02, 0x80
BUTTON, STATIC = 'BUTTON', 'STATIC'
PREDEFINED_CLASSES = {0x80: BUTTON, 0x82: STATIC}  # a template may name them by ordinal
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTORADIOBUTTON = 0, 1, 9

ENTRY_CONTROLS = [  # id, class, kind, text, rect, extra style bits
    (0xFFFF, STATIC, None, 'Use current image as foreground:', (16, 9, 161, 8), WS_GROUP),
    (1025, BUTTON, BS_AUTORADIOBUTTON, 'with previously saved background image.', (32, 22, 160, 8), 0),
    (1021, BUTTON, BS_AUTORADIOBUTTON, 'with solid gray background.', (32, 33, 160, 8), 0),
    (1022, BUTTON, BS_AUTORADIOBUTTON, 'Save current image to be used as background.', (16, 50, 176, 8), 0),
    (1024, BUTTON, BS_DEFPUSHBUTTON, 'OK', (51, 69, 36, 12), WS_TABSTOP),
    (1023, BUTTON, BS_PUSHBUTTON, 'Cancel', (109, 69, 36, 12), WS_TABSTOP),
]


def version_strings(pe):
    """The StringFileInfo values of the version resource, by name."""
    strings = {}
    for info in getattr(pe, 'FileInfo', []):
        for entry in info:
            for table in getattr(entry, 'StringTable', []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def check(failures, condition, what):
    if not condition:
        failures.append(what)


def main():
    path, arch, version = sys.argv[1], sys.argv[2], sys.argv[3]
    pe = pefile.PE(path)
    failures = []

    strings = version_strings(pe)
    check(failures, strings.get('ProductName') == 'Velokrom', f'product name Velokrom, got {strings}')
    check(failures, strings.get('ProductVersion') == version and strings.get('FileVersion') == version,
          f'product and file version {version}, got {strings}')
    check(failures, strings.get('OriginalFilename') == os.path.basename(path), f'original file name, got {strings}')
    fixed = pe.VS_FIXEDFILEINFO[0] if getattr(pe, 'VS_FIXEDFILEINFO', None) else None
    numbers = [int(n) for n in version.split('.')] + [0] * (4 - len(version.split('.')))
    check(failures, fixed is not None and
          (fixed.ProductVersionMS, fixed.ProductVersionLS) == (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]),
          'the numeric product version matches')

    exports = [s.name for s in pe.DIRECTORY_ENTRY_EXPORT.symbols]
    check(failures, exports == [b'ENTRYPOINT'], f'exports are exactly ENTRYPOINT, got {exports}')
    imports = [i.dll.decode().lower() for i in pe.DIRECTORY_ENTRY_IMPORT]
    runtime = [d for d in imports if d.startswith(('libgcc', 'libstdc++', 'libwinpthread'))]
    check(failures, not runtime, f'no MinGW runtime DLL imported, got {runtime}')
    check(failures, pe.FILE_HEADER.Machine == (0x8664 if arch == 'x86_64' else 0x14C), 'machine type')

    pipl = resource(pe, 'PIPL', 16000)
    check(failures, pipl == expected_pipl(arch),
          f'PIPL 16000 is the expected 206 bytes, got {None if pipl is None else (len(pipl), pipl.hex())}')

    entry = resource(pe, RT_DIALOG, 'ENTRY_DLG')
    check(failures, entry is not None, 'ENTRY_DLG exists')
    if entry is not None:
        d = parse_dialog(entry)
        check(failures, d['style'] & (WS_POPUP | WS_CAPTION | DS_SYSMODAL | DS_MODALFRAME)
              == (WS_POPUP | WS_CAPTION | DS_SYSMODAL | DS_MODALFRAME), 'ENTRY_DLG is a system-modal pop-up with caption and modal frame')
        check(failures, not d['style'] & WS_SYSMENU, 'ENTRY_DLG has no system menu')
        check(failures, d['rect'][2:] == (195, 87), f"ENTRY_DLG is 195 x 87, got {d['rect']}")
        check(failures, d['title'] == 'Velokrom', 'ENTRY_DLG title')
        check(failures, d.get('font') == (9, 'MS Sans Serif'), f"ENTRY_DLG font, got {d.get('font')}")
        got = [(i['id'], i['class'], i['title'], i['rect']) for i in d['items']]
        want = [(c[0], c[1], c[3], c[4]) for c in ENTRY_CONTROLS]
        check(failures, got == want, f'ENTRY_DLG controls {got}')
        for item, (ident, _c, kind, _t, _r, bits) in zip(d['items'], ENTRY_CONTROLS):
            if kind is not None:
                check(failures, item['style'] & 0xF == kind, f'control {ident} kind')
            check(failures, item['style'] & (WS_GROUP | WS_TABSTOP) == bits, f'control {ident} group/tab stop')

    invisible = resource(pe, RT_DIALOG, 'INVISIBLE_DLG')
    check(failures, invisible is not None, 'INVISIBLE_DLG exists')
    if invisible is not None:
        d = parse_dialog(invisible)
        check(failures, d['style'] & WS_POPUP and not d['style'] & WS_CAPTION, 'INVISIBLE_DLG is a pop-up without caption')
        check(failures, d['rect'] == (34, 40, 5, 5) and not d['items'], f"INVISIBLE_DLG 5 x 5 at 34, 40, no controls: {d}")
        check(failures, d.get('font') == (8, 'System'), 'INVISIBLE_DLG font')

    for f in failures:
        print('FAIL:', f)
    print(f'{path}: {"ok" if not failures else f"{len(failures)} failure(s)"}')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
