# Sourced by the scripts that make a minimal Debian 12 system (fresh-check, package-check).

# The first URI this machine's apt uses for a suite, from one-line and deb822 sources alike:
# a mirror that works here, and the same packages as here.
host_mirror() {
  local suite=$1 f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v s="$suite" '$1 == "deb" {
        i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if ($(i + 1) == s) { print $i; exit } }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v s="$suite" '
      function flush() {
        if (deb && uri != "" && index(" " suites " ", " " s " ")) { print uri; done = 1; exit }
        deb = 0; uri = ""; suites = "" }
      /^[[:space:]]*$/ { flush(); next }
      /^Types:/ { deb = ($0 ~ /[[:space:]]deb([[:space:]]|$)/) }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { $1 = ""; suites = $0 }
      END { if (!done) flush() }' "$f"
  done
}
