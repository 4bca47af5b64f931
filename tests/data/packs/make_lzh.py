#!/usr/bin/env python3
# Writes pack.lzh: an LHA pack (level 0 headers, stored members) holding
# in/crunch.rp150p, a copy of ../crunch_time.rp150p. libarchive cannot write LHA packs,
# so this one is made here and checked in.
import pathlib
import struct

here = pathlib.Path(__file__).resolve().parent


def crc16(data):
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def member(name, data):
    body = b"-lh0-" + struct.pack("<IIIBB", len(data), len(data), 0x5A210000, 0x20, 0)
    body += bytes([len(name)]) + name + struct.pack("<H", crc16(data))
    return bytes([len(body), sum(body) & 0xFF]) + body + data


preset = (here.parent / "crunch_time.rp150p").read_bytes()
(here / "pack.lzh").write_bytes(member(b"in\\crunch.rp150p", preset) + b"\0")
