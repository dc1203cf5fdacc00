#!/usr/bin/env python3
"""Reads the version resource and the application manifest back out of
built programs and checks every field. The PE file is parsed here, not by
the resource compiler that wrote it, so a wrong script or a lost resource
shows up as a difference. Version numbers, product, vendor and copyright
are release settings, expected as resources/version.h has them (the build
reads that file and CTest passes them in the environment).

usage: check_resources.py BITS EXE...   (BITS: 32 or 64)
"""
import os
import struct
import sys
import xml.etree.ElementTree as ET

RT_VERSION = 16
RT_MANIFEST = 24
ENGLISH_AUSTRALIA = 0x0C09



def release_setting(name):
    """A setting of resources/version.h, as the build read it (CTest passes
    them in the environment): an int for a number, else the text."""
    value = os.environ[name]
    return int(value) if value.isdigit() else value


RELEASE = {name: release_setting(name) for name in (
    "OMBREL_PRODUCT_NAME", "OMBREL_VERSION_MAJOR", "OMBREL_VERSION_MINOR", "OMBREL_COMPANY_NAME",
    "OMBREL_COPYRIGHT", "LAPWICK_VERSION_MAJOR", "LAPWICK_VERSION_MINOR")}
PRODUCT = RELEASE["OMBREL_PRODUCT_NAME"]
PRODUCT_VERSION = (RELEASE["OMBREL_VERSION_MAJOR"], RELEASE["OMBREL_VERSION_MINOR"])
COMPANY = RELEASE["OMBREL_COMPANY_NAME"]
COPYRIGHT = RELEASE["OMBREL_COPYRIGHT"]

# File name -> (description, file version). Lapwick keeps its own number.
PROGRAMS = {
    "Lapwick.exe": ("Lapwick stopwatch",
                    (RELEASE["LAPWICK_VERSION_MAJOR"], RELEASE["LAPWICK_VERSION_MINOR"])),
    "OmbrelAbout.exe": (PRODUCT + " About window", PRODUCT_VERSION),
    "OmbrelAboutSilent.exe": (PRODUCT + " About window, without sounds", PRODUCT_VERSION),
    "OmbrelSplash.exe": (PRODUCT + " splash screen", PRODUCT_VERSION),
}

SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
}
MACHINES = {32: 0x014C, 64: 0x8664}


class Failure(Exception):
    pass


def need(condition, message):
    if not condition:
        raise Failure(message)


def read_resources(data, bits):
    """{(type, name, language): bytes} for every resource of the PE image."""
    need(data[:2] == b"MZ", "not an MZ executable")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    need(data[pe:pe + 4] == b"PE\0\0", "no PE signature")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    need(machine == MACHINES[bits], "machine 0x%04x, not a %d-bit program" % (machine, bits))
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    need(magic == (0x20B if bits == 64 else 0x10B), "optional header magic 0x%x" % magic)
    directories = optional + (112 if bits == 64 else 96)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
    need(rsrc_rva != 0 and rsrc_size != 0, "no resource section")
    table = []
    for i in range(sections):
        at = optional + optional_size + 40 * i
        vsize, vaddr, raw_size, raw_at = struct.unpack_from("<IIII", data, at + 8)
        table.append((vaddr, max(vsize, raw_size), raw_at))

    def offset(rva):
        for vaddr, size, raw_at in table:
            if vaddr <= rva < vaddr + size:
                return raw_at + rva - vaddr
        raise Failure("address 0x%x outside every section" % rva)

    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                name = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target

    found = {}
    for rtype, types in entries(0):
        for name, names in entries(types & 0x7FFFFFFF):
            for language, leaf in entries(names & 0x7FFFFFFF):
                need(not leaf & 0x80000000, "resource tree deeper than three levels")
                rva, size = struct.unpack_from("<II", data, base + leaf)
                found[(rtype, name, language)] = data[offset(rva):offset(rva) + size]
    return found


def version_node(block, at):
    """One node of a version resource: (key, value, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", block, at)
    need(length >= 6 and at + length <= len(block), "version node at %d overruns" % at)
    end = at + length
    key_end = at + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    if kind == 1:  # text, length in characters with its terminator
        value = block[value_at:value_at + 2 * value_length].decode("utf-16-le")
        need(value.endswith("\0") or value_length == 0, "%s: text without terminator" % key)
        value = value.rstrip("\0")
        value_end = value_at + 2 * value_length
    else:
        value = block[value_at:value_at + value_length]
        value_end = value_at + value_length
    children = []
    child = (value_end + 3) & ~3
    while child < end:
        node = version_node(block, child)
        children.append(node)
        child = (node[3] + 3) & ~3
    return key, value, children, end


def check_version(block, file_name):
    description, file_version = PROGRAMS[file_name]
    key, fixed, children, _ = version_node(block, 0)
    need(key == "VS_VERSION_INFO", "root key %r" % key)
    need(len(fixed) == 52, "fixed part of %d bytes" % len(fixed))
    (signature, _, file_ms, file_ls, product_ms, product_ls, _, _, os_kind, file_type,
     _, _, _) = struct.unpack("<13I", fixed)
    need(signature == 0xFEEF04BD, "fixed part signature 0x%x" % signature)

    def packed(version):
        return version[0] << 16 | version[1], 0

    need((file_ms, file_ls) == packed(file_version), "FILEVERSION 0x%08x 0x%08x" % (file_ms, file_ls))
    need((product_ms, product_ls) == packed(PRODUCT_VERSION),
         "PRODUCTVERSION 0x%08x 0x%08x" % (product_ms, product_ls))
    need(os_kind == 0x40004, "FILEOS 0x%x, not VOS_NT_WINDOWS32" % os_kind)
    need(file_type == 1, "FILETYPE %d, not VFT_APP" % file_type)

    blocks = {child[0]: child for child in children}
    need(sorted(blocks) == ["StringFileInfo", "VarFileInfo"], "blocks %s" % sorted(blocks))
    tables = blocks["StringFileInfo"][2]
    need([t[0] for t in tables] == ["0C0904E4"], "string tables %s" % [t[0] for t in tables])
    strings = {s[0]: s[1] for s in tables[0][2]}
    expected = {
        "CompanyName": COMPANY,
        "FileDescription": description,
        "FileVersion": "%d.%d" % file_version,
        "InternalName": file_name[:-4],
        "LegalCopyright": COPYRIGHT,
        "OriginalFilename": file_name,
        "ProductName": PRODUCT,
        "ProductVersion": "%d.%d" % PRODUCT_VERSION,
    }
    for name in sorted(set(expected) | set(strings)):
        need(strings.get(name) == expected.get(name),
             "%s is %r, expected %r" % (name, strings.get(name), expected.get(name)))
    variables = {v[0]: v[1] for v in blocks["VarFileInfo"][2]}
    need(variables == {"Translation": struct.pack("<HH", ENGLISH_AUSTRALIA, 1252)},
         "VarFileInfo %r" % variables)
    return expected


def local(tag):
    return tag.rsplit("}", 1)[-1]


def check_manifest(text):
    root = ET.fromstring(text)
    need(local(root.tag) == "assembly", "manifest root <%s>" % local(root.tag))
    tags = [local(e.tag) for e in root.iter()]
    levels = [e.get("level") for e in root.iter() if local(e.tag) == "requestedExecutionLevel"]
    need(levels == ["asInvoker"], "execution levels %s" % levels)
    systems = [e.get("Id") for e in root.iter() if local(e.tag) == "supportedOS"]
    need(len(systems) == len(SUPPORTED_OS) and set(systems) == SUPPORTED_OS,
         "supportedOS %s" % systems)
    for absent in ("dependency", "dependentAssembly"):
        need(absent not in tags, "manifest has <%s>" % absent)
    # Per-monitor aware, falling back to system awareness before Windows 10.
    settings = {local(e.tag): (e.text or "").strip() for e in root.iter()
                if local(e.tag) in ("dpiAware", "dpiAwareness")}
    need(settings == {"dpiAware": "true/pm", "dpiAwareness": "PerMonitorV2, PerMonitor"},
         "DPI settings %s" % settings)
    need(b"Common-Controls" not in text, "manifest names the common controls")


def check_program(path, bits):
    file_name = os.path.basename(path)
    need(file_name in PROGRAMS, "not one of the programs")
    with open(path, "rb") as f:
        resources = read_resources(f.read(), bits)
    versions = [k for k in resources if k[0] == RT_VERSION]
    need(versions == [(RT_VERSION, 1, ENGLISH_AUSTRALIA)], "version resources %s" % versions)
    fields = check_version(resources[versions[0]], file_name)
    manifests = [k for k in resources if k[0] == RT_MANIFEST]
    need(len(manifests) == 1 and manifests[0][1] == 1, "manifest resources %s" % manifests)
    check_manifest(resources[manifests[0]])
    return fields


def main(argv):
    if len(argv) < 3 or argv[1] not in ("32", "64"):
        print(__doc__)
        return 2
    bits = int(argv[1])
    status = 0
    for path in argv[2:]:
        try:
            fields = check_program(path, bits)
            print("ok %s (%d-bit): %s" % (path, bits, "; ".join(
                "%s=%s" % item for item in sorted(fields.items()))))
        except (Failure, OSError, struct.error, ET.ParseError, UnicodeDecodeError) as error:
            print("FAIL %s: %s" % (path, error))
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
