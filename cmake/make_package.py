#!/usr/bin/env python3
"""Writes the release zip: the given files in one folder named like the zip,
the programs (.exe) signed with Authenticode first when a certificate and key
are given.

The zip depends on nothing but the files and the commit: entries in name
order, every time stamp the commit's time (SOURCE_DATE_EPOCH, else the last
commit's date, else 1980-01-01), fixed modes, no extra fields. Two builds of
one commit, anywhere and at any time, give the same bytes.

usage: make_package.py --name NAME --out-dir DIR --source-dir SRC
                       [--description TEXT] [signing options] FILE...
       make_package.py @ARGS-FILE [more options]   (one argument a line)
Signing: --cert (PEM certificates, the signer's first), --key (PEM private
key), --key-pass-file, --timestamp URL (RFC 3161 server, repeatable); each
also from the environment: OMBREL_SIGN_CERT, OMBREL_SIGN_KEY,
OMBREL_SIGN_PASS_FILE, OMBREL_TIMESTAMP_URL (one URL).
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC, the earliest time a zip holds


def commit_time(source_dir):
    """The time every output takes: SOURCE_DATE_EPOCH, else the last commit's."""
    value = os.environ.get("SOURCE_DATE_EPOCH", "").strip()
    if value:
        if not value.isdigit():
            sys.exit(f"SOURCE_DATE_EPOCH is not a number of seconds: {value!r}")
        return int(value)
    try:
        out = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return ZIP_EPOCH


def sign(path, args, epoch, description):
    """Signs one program in place with osslsigncode (SHA-256)."""
    signed = path + ".signed"
    command = ["osslsigncode", "sign", "-certs", args.cert, "-key", args.key, "-h", "sha256",
               "-n", description, "-time", str(epoch)]
    if args.key_pass_file:
        command += ["-readpass", args.key_pass_file]
    for url in args.timestamp:
        command += ["-ts", url]
    command += ["-in", path, "-out", signed]
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"signing {os.path.basename(path)} failed:\n{result.stdout}{result.stderr}")
    os.replace(signed, path)


def write_zip(zip_path, name, folder, epoch):
    stamp = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        top = zipfile.ZipInfo(name + "/", stamp)
        top.create_system = 3  # Unix, so that the modes below are read
        top.external_attr = (0o40755 << 16) | 0x10  # folder
        archive.writestr(top, b"")
        for entry in sorted(os.listdir(folder)):
            info = zipfile.ZipInfo(f"{name}/{entry}", stamp)
            info.create_system = 3
            mode = 0o755 if entry.lower().endswith(".exe") else 0o644
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, entry), "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, zip_path)


def main():
    parser = argparse.ArgumentParser(fromfile_prefix_chars="@")
    parser.add_argument("--name", required=True)
    parser.add_argument("--out-dir", required=True)
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--description", default="")
    parser.add_argument("--cert", default=os.environ.get("OMBREL_SIGN_CERT", ""))
    parser.add_argument("--key", default=os.environ.get("OMBREL_SIGN_KEY", ""))
    parser.add_argument("--key-pass-file", default=os.environ.get("OMBREL_SIGN_PASS_FILE", ""))
    env_url = os.environ.get("OMBREL_TIMESTAMP_URL", "")
    parser.add_argument("--timestamp", action="append", default=[env_url] if env_url else [])
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    if bool(args.cert) != bool(args.key):
        sys.exit("signing needs both a certificate and a key")
    if args.timestamp and not args.cert:
        sys.exit("a time-stamp server is only used when signing")

    epoch = commit_time(args.source_dir)
    os.makedirs(args.out_dir, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="ombrel-package-") as staging:
        for path in args.files:
            target = os.path.join(staging, os.path.basename(path))
            if os.path.exists(target):
                sys.exit(f"two files named {os.path.basename(path)}")
            shutil.copyfile(path, target)
            if args.cert and target.lower().endswith(".exe"):
                sign(target, args, epoch, args.description or args.name)
        zip_path = os.path.join(args.out_dir, args.name + ".zip")
        write_zip(zip_path, args.name, staging, epoch)
    state = "signed" if args.cert else "unsigned"
    print(f"{zip_path} ({state}, time stamps {time.strftime('%Y-%m-%d %H:%M:%S', time.gmtime(epoch))} UTC)")


if __name__ == "__main__":
    main()
