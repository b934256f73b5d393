#!/usr/bin/env python3
"""Names the section of an engine_fingerprint file that contains a byte offset (1-based, as cmp
reports it), so that a cross-check failure points at the step that differs."""
import struct
import sys


def section_at(path, offset):
    data = open(path, 'rb').read()
    pos = 0
    while pos < len(data):
        tag_length = struct.unpack_from('<I', data, pos)[0]
        tag = data[pos + 4:pos + 4 + tag_length].decode('ascii', 'replace')
        size = struct.unpack_from('<I', data, pos + 4 + tag_length)[0]
        end = pos + 8 + tag_length + size
        if offset - 1 < end:
            return tag
        pos = end
    return '(past the end)'


if __name__ == '__main__':
    print(section_at(sys.argv[1], int(sys.argv[2])))
