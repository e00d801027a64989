# Sourced by tests/package/run inside its private mount namespace (unshare
# --propagation private): one scenario, reported as PASS/FAIL lines.

rights=/usr/lib64/libqel_misc.so
record=/var/lib/velmora/libqel_misc.so.sha256

# check NAME COMMAND...: one PASS or FAIL line; the command's output goes to
# the log only.
check() {
  local name=$1; shift
  if "$@"; then echo "PASS: $scenario: $name"; else echo "FAIL: $scenario: $name"; fi
}

# The throw-away tree: overlays over /usr, /etc and /var whose changes stay
# in a tmpfs that only this namespace sees.
overlays() {
  mount -t tmpfs -o size=1g,mode=0700 tmpfs "$scratch" || return 1
  local dir
  for dir in usr etc var; do
    mkdir "$scratch/$dir-upper" "$scratch/$dir-work" &&
      mount -t overlay overlay \
        -o "lowerdir=/$dir,upperdir=$scratch/$dir-upper,workdir=$scratch/$dir-work" "/$dir" || return 1
  done
}

# What a test machine needs: Samba's server program (a stub where it is not
# installed) and a small smb.conf with one share.
test_machine() {
  if [ ! -x /usr/sbin/smbd ]; then printf '#!/bin/sh\nexit 0\n' >/usr/sbin/smbd && chmod 0755 /usr/sbin/smbd; fi
  mkdir -p /etc/samba
  cat >/etc/samba/smb.conf <<'CONF'
[global]
   workgroup = PACKAGETEST

[data]
   comment = Package test share
   path = /srv/data
   read only = no
CONF
  rm -f "$rights"
}

installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' velmora 2>/dev/null)" = installed ]; }
gone_from_dpkg() {
  local status
  status=$(dpkg-query -W -f='${db:Status-Status}' velmora 2>/dev/null || true)
  [ -z "$status" ] || [ "$status" = not-installed ]
}
same_file() { cmp -s "$1" "$2"; }
version_is() { [ "$(velmora --version)" = "velmora $1" ]; }
in_ld_cache() { ldconfig -p | grep -q 'libvelmora\.so\.0 '; }
all_there() {
  local path
  for path in "$@"; do [ -e "$path" ] || { echo "missing: $path"; return 1; }; done
}
# Anything of the package in the overlays' upper layers: a file it brought,
# dpkg's record of it, the privilege library or postinst's note. Whiteouts
# (character devices) only say that a host file is hidden.
leftovers() {
  find "$scratch"/usr-upper "$scratch"/etc-upper "$scratch"/var-upper ! -type c \
    \( -iname '*velmora*' -o -name 'libqel_misc*' \) | grep . && return 1
  return 0
}
instances_of_test_conf() {
  local out
  out=$(velmora instances --principal root) || return 1
  echo "$out"
  grep -q 'InstanceID = "Samba:data"' <<<"$out" && grep -q 'PathName = "/srv/data"' <<<"$out" &&
    grep -q 'Comment = "Package test share"' <<<"$out"
}
only_runtime_depends() {
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  # Every dependency is a library package (libc6, libstdc++6, ...).
  [ -n "$depends" ] && ! tr ',' '\n' <<<"$depends" | sed 's/^ *//' | grep -qv '^lib' &&
    [ "$(dpkg-deb -f "$deb" Recommends)" = samba ]
}

scenario_fresh() {
  check "Depends names only run-time libraries, Recommends samba" only_runtime_depends
  check "dpkg -i installs it" dpkg -i "$deb"
  check "dpkg says installed" installed
  check "its files are in place" all_there /usr/bin/velmora \
    /usr/lib/x86_64-linux-gnu/libvelmora.so.0 /usr/lib/x86_64-linux-gnu/libvelmora.so \
    /usr/share/velmora/QVX_SambaFileShare.mof /usr/share/velmora/QVX_Qualifiers.mof \
    /usr/share/velmora/velmora.reg /usr/share/velmora/velmora-pegasus-registration.mof \
    /usr/share/doc/velmora/copyright /usr/share/man/man1/velmora.1.gz \
    /usr/share/bash-completion/completions/velmora
  check "the ldconfig trigger put libvelmora.so.0 in the cache" in_ld_cache
  check "postinst put the privilege library at $rights" same_file /usr/lib/velmora/libqel_misc.so "$rights"
  cp /usr/lib/velmora/libqel_misc.so "$scratch/shipped"
  check "velmora --version" version_is "$(dpkg-deb -f "$deb" Version)"
  check "velmora instances lists the test share" instances_of_test_conf
  check "a reinstall keeps its own copy of the privilege library" eval \
    'dpkg -i "$deb" && same_file "$scratch/shipped" "$rights" && test -s "$record"'
  check "dpkg -r removes it" dpkg -r velmora
  check "a remove keeps the privilege library" same_file "$scratch/shipped" "$rights"
  check "dpkg -P purges it" dpkg -P velmora
  check "dpkg forgets it" gone_from_dpkg
  check "the purge takes the privilege library away" test ! -e "$rights"
  check "libvelmora.so.0 left the loader's cache" eval '! in_ld_cache'
  check "nothing of it is left" leftovers
}

# A site's own library at the fixed path: not one byte, nor its inode or
# time stamp, changes from the install to the purge.
scenario_site() {
  printf 'the site account-management library\n' >"$rights"
  local before
  before=$(stat -c '%i %s %Y' "$rights"; sha256sum <"$rights")
  same_as_before() { [ "$(stat -c '%i %s %Y' "$rights"; sha256sum <"$rights")" = "$before" ]; }
  check "dpkg -i installs it" dpkg -i "$deb"
  check "the install leaves the site's library alone" same_as_before
  check "postinst records nothing" test ! -e "$record"
  check "dpkg -P purges it" dpkg -P velmora
  check "the purge leaves the site's library alone" same_as_before
  check "nothing of it is left" eval 'rm "$rights"; leftovers'
}

# The package's copy replaced by an administrator after the install: the
# purge must not take the replacement.
scenario_replaced() {
  check "dpkg -i installs it" dpkg -i "$deb"
  printf 'a library the administrator put here later\n' >"$rights"
  check "dpkg -P purges it" dpkg -P velmora
  check "the purge leaves the replacement" grep -q 'administrator put here later' "$rights"
  check "the purge drops postinst's record" test ! -e "$record"
}

# inside SCENARIO DEB SCRATCH
inside() {
  scenario=$1 deb=$2 scratch=$3
  export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  export DEBIAN_FRONTEND=noninteractive
  if ! overlays; then
    echo "FAIL: $scenario: set-up: overlays over /usr, /etc and /var in $scratch (needs root and overlayfs)"
    return 0
  fi
  test_machine
  "scenario_$scenario"
}
