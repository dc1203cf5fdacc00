# shellcheck shell=bash
# apt_mirror: prints the Debian archive this machine's apt already uses (the
# first URI of a "deb" source that is not the security archive), from the
# one-line sources.list format or the deb822 .sources files, so that the
# roots the tools make come from the same place as the machine's own
# packages. Fails when apt names none.
apt_mirror() {
  local uri
  uri=$(
    {
      cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z+]+:\/\//) { print $i; break } }'
      cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk 'tolower($1) == "uris:" { for (i = 2; i <= NF; i++) print $i }'
    } | grep -v -- '-security' | head -n 1
  )
  [ -n "$uri" ] || { echo "apt names no Debian archive in /etc/apt" >&2; return 1; }
  echo "${uri%/}"
}
