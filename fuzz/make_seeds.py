#!/usr/bin/env python3
"""Writes small hand-made seeds for the fuzz targets: one folder per target under the folder
given, each file a well-formed example of what that reader meets (so the fuzzer starts from
inputs that pass the first checks) or a near miss of one."""
import struct
import sys
from pathlib import Path


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame(header=b"\xff\xfb\x90\x00", length=417, body=b""):
    """One MPEG frame: the header, then `body` and zeros (silence) up to `length`."""
    data = header + body
    return data + bytes(max(0, length - len(data)))


def audio(frames=6):
    return frame() * frames


def xing_frame(header=b"\xff\xfb\x90\x00", side_info=32, flags=0x0F, length=417):
    body = bytes(side_info) + b"Xing" + struct.pack(">I", flags)
    if flags & 1:
        body += struct.pack(">I", 40)
    if flags & 2:
        body += struct.pack(">I", 40 * 417)
    if flags & 4:
        body += bytes(range(0, 250, 5))[:50] + bytes(range(125, 225, 2))[:50]
    if flags & 8:
        body += struct.pack(">I", 60)
    return frame(header, length, body)


def vbri_frame(entries=10, width=2):
    body = bytes(32) + b"VBRI" + struct.pack(">HHH", 1, 0, 75)
    body += struct.pack(">II", 40 * 417, 40)
    body += struct.pack(">HHHH", entries - 1, 1, width, 4)
    body += b"".join((4 * 417).to_bytes(width, "big") for _ in range(entries - 1))
    return frame(b"\xff\xfb\x90\x00", 417, body)


def id3v1(title=b"Title", artist=b"Artist", track=None, genre=12):
    def field(text, width):
        return text[:width].ljust(width, b" ")

    comment = field(b"comment", 30)
    if track is not None:
        comment = comment[:28] + b"\0" + bytes([track])
    return b"TAG" + field(title, 30) + field(artist, 30) + field(b"Album", 30) + b"1999" + \
        comment + bytes([genre])


def id3v2(body_size=40, version=3):
    body = b"TIT2" + struct.pack(">I", 6) + b"\0\0\0title"
    body = body + bytes(max(0, body_size - len(body)))
    return b"ID3" + bytes([version, 0, 0]) + syncsafe(len(body)) + body


def id3v2_titles(frames, version=3, flags=0, declared=None):
    """A tag holding the text frames given as (id, encoding byte, text bytes); version 2 uses
    three-letter ids and three-byte sizes, version 4 syncsafe frame sizes."""
    body = b""
    for fid, encoding, text in frames:
        payload = bytes([encoding]) + text
        if version == 2:
            body += fid + len(payload).to_bytes(3, "big") + payload
        else:
            size = syncsafe(len(payload)) if version == 4 else struct.pack(">I", len(payload))
            body += fid + size + b"\0\0" + payload
    size = len(body) if declared is None else declared
    return b"ID3" + bytes([version, 0, flags]) + syncsafe(size) + body


def id3v2_title_tags():
    utf16 = "題名".encode("utf-16")
    return {
        "v3_latin1": id3v2_titles([(b"TIT2", 0, b"Title"), (b"TPE1", 0, b"Artist")]),
        "v3_utf16_bom": id3v2_titles([(b"TIT2", 1, utf16), (b"TPE1", 1, "歌手".encode("utf-16"))]),
        "v2_three_letter": id3v2_titles([(b"TT2", 0, b"Old"), (b"TP1", 0, b"Artist")], version=2),
        "v4_utf8": id3v2_titles([(b"TIT2", 3, "曲".encode("utf-8")),
                                 (b"TPE1", 2, "人".encode("utf-16-be"))], version=4),
        "v3_padding": id3v2_titles([(b"TALB", 0, b"Album"), (b"TIT2", 0, b"T")]) + bytes(64),
        "v3_short": id3v2_titles([(b"TIT2", 0, b"Cut off here")], declared=400),
        "v4_extended_header": id3v2_titles([(b"TIT2", 0, b"x")], version=4, flags=0x40),
    }


def lyrics3(fields):
    body = b"".join(name + b"%05d" % len(value) + value for name, value in fields)
    block = b"LYRICSBEGIN" + body
    return block + b"%06d" % len(block) + b"LYRICS200"


def lyrics3_sample(text=b"[00:01]words\r\n[00:02]more"):
    return lyrics3([(b"IND", b"11"), (b"LYR", text), (b"INF", b"info"), (b"AUT", b"someone"),
                    (b"ETT", b"Title")])


def chunk(cid, data, size=None):
    body = struct.pack("<I", len(data) if size is None else size)
    return cid + body + data + (b"\0" if len(data) % 2 else b"")


def riff(form, chunks):
    return b"RIFF" + struct.pack("<I", len(chunks) + 4) + form + chunks


def fmt(tag, channels=2, rate=44100, bits=16):
    align = channels * bits // 8 if tag == 1 else 1
    return chunk(b"fmt ", struct.pack("<HHIIHHH", tag, channels, rate, rate * align, align,
                                      bits, 0))


def info_list(*pairs):
    subchunks = b"".join(chunk(cid, value + b"\0") for cid, value in pairs)
    return chunk(b"LIST", b"INFO" + subchunks)


def mac_binary(rest):
    header = bytearray(128)
    header[1] = 5
    header[2:7] = b"song!"
    return bytes(header) + rest


def lyrics_texts(demo):
    karaoke = "[00:01:00]歌[00:01:50]詞[00:02:00]は\n[00:03]ー[00:04]ー\n".encode("cp932")
    headers = (b"@Title=t\n@Artist=a\n@Offset=-500\n@TimeType=Normal\n@TimeRatio=1.5\n"
               b"@SilencemSec=100\n@Silence=1\n@TotalSec=99\n[00:00]x\n[1:2:345]y\n")
    return {
        "demo": demo,
        "karaoke_sjis": karaoke,
        "headers": headers,
        "utf8_bom": b"\xef\xbb\xbf" + "[00:01]うた\r\n[00:02]次\r\r".encode("utf-8"),
        "untimed": b"line one\r\nline two\n\n[--:--:--]x\n[99:99]y[",
        "long_line": b"[00:01]" + b"\x82\xa0" * 700 + b"\n",
    }


def seeds(demo_lyrics):
    plain = id3v2() + audio() + lyrics3_sample() + id3v1(track=3)
    wave_mpeg = riff(b"WAVE", fmt(0x55) + chunk(b"wflt", bytes(12)) + chunk(b"data", audio(4)) +
                     info_list((b"INAM", b"name"), (b"IART", b"artist"),
                               (b"ILYC", b"[00:01]x"))) + lyrics3_sample() + id3v1()
    rmp3 = riff(b"RMP3", chunk(b"data", audio(4)) + info_list((b"ICMT", b"c"))) + id3v1()
    pcm = riff(b"WAVE", fmt(1) + chunk(b"data", bytes(4096)) + info_list((b"INAM", b"pcm")))
    odd_sizes = riff(b"WAVE", fmt(1, 1, 8000, 8) + chunk(b"data", bytes(33), size=0x7FFFFFF0))
    containers = {
        "wave_mpeg": wave_mpeg, "rmp3": rmp3, "pcm": pcm, "odd_sizes": odd_sizes,
        "macbinary_riff": mac_binary(rmp3),
    }
    tags = {
        "plain": plain, "id3v1_track": audio(2) + id3v1(track=7, genre=255),
        "id3v2_only": id3v2(100), "id3v2_v4": id3v2(20, version=4) + audio(2),
        "two_id3v2": id3v2(10) + id3v2(10) + audio(2), "macbinary": mac_binary(audio(2)),
    }
    lyrics = {
        "block": lyrics3_sample(), "block_id3v1": audio(1) + lyrics3_sample() + id3v1(),
        "block_no_id3v1": audio(1) + lyrics3_sample(),
        "all_fields": lyrics3([(b"IND", b"10"), (b"LYR", b"a"), (b"INF", b"b"), (b"AUT", b"c"),
                               (b"EAL", b"d"), (b"EAR", b"e"), (b"ETT", b"f"), (b"IMG", b"g")]),
    }
    vbr = {
        "xing_full": b"\0" + xing_frame(),
        "xing_frames_only": b"\x80" + xing_frame(flags=1),
        "xing_mono": b"\x01" + xing_frame(b"\xff\xfb\x90\xc0", 17),
        "xing_mpeg2": b"\x02" + xing_frame(b"\xff\xf3\x90\x00", 17, length=208),
        "xing_crc": b"\0" + xing_frame(b"\xff\xfa\x90\x00", 32),
        "vbri": b"\0" + vbri_frame(), "vbri_wide": b"\x84" + vbri_frame(5, 4),
        "layer2": b"\0" + frame(b"\xff\xfd\x90\x00"),
    }
    texts = {}
    for name, text in lyrics_texts(demo_lyrics).items():
        for choice in (0x00, 0x07, 0x63, 0xEF):
            texts[f"{name}_{choice:02x}"] = bytes([choice]) + text
    opened = dict(containers)
    opened.update(tags)
    opened["lyrics_karaoke"] = audio(3) + lyrics3_sample(lyrics_texts(demo_lyrics)["karaoke_sjis"])
    opened["xing"] = xing_frame() + audio(3) + id3v1()
    opened["vbri"] = vbri_frame() + audio(3)
    return {
        "riff": containers, "id3": tags, "lyrics3": lyrics, "vbr": vbr,
        "lyrics_text": texts, "open": opened, "id3v2_titles": id3v2_title_tags(),
    }


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_seeds.py OUTPUT_FOLDER DEMO_LYRICS_FILE")
    out = Path(sys.argv[1])
    demo = Path(sys.argv[2]).read_bytes()
    for target, files in seeds(demo).items():
        folder = out / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in files.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
