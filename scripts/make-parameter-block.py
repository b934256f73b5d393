#!/usr/bin/env python3
"""Writes the 1528-byte parameter block that a finished dialog run leaves with the host, holding
the key of a settings file, so that `vkhost run --repeat --params BLOCK` renders that key with
no window. Usage: make-parameter-block.py KEY.vkp BLOCK [--gray] [--blend 0|1|2] [--write-matte]"""
import argparse
import struct
import sys

SETTINGS_SIGNATURE = b'VelokromData Rev. 1.0\0'
KEY_RECORD_SIZE = 1480


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('key')
    parser.add_argument('block')
    parser.add_argument('--gray', action='store_true', help='composite over neutral grey, not the saved background')
    parser.add_argument('--blend', type=int, default=1, choices=[0, 1, 2])
    parser.add_argument('--write-matte', action='store_true')
    args = parser.parse_args()

    settings = open(args.key, 'rb').read()
    if len(settings) != len(SETTINGS_SIGNATURE) + KEY_RECORD_SIZE or not settings.startswith(SETTINGS_SIGNATURE):
        sys.exit(f'{args.key} is not a settings file')
    block = (b'VelokromPS'.ljust(12, b'\0') + struct.pack('<II', 100, 1) + b'\0' * 4  # dialog no longer pending
             + settings[len(SETTINGS_SIGNATURE):]
             + bytes([1, 0, 0, 0])  # state saved
             + struct.pack('<ii', 1 if args.gray else 0, args.blend)
             + struct.pack('<4H', 32767, 32767, 32767, 65535)
             + bytes([1 if args.write_matte else 0, 0, 0, 0]))
    assert len(block) == 1528
    open(args.block, 'wb').write(block)


if __name__ == '__main__':
    main()
