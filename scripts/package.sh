#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of Brisklet
# in the build folder (build/brisklet_VERSION_ARCH.deb), checked by lintian:
#   package.sh            build and check the package
#   package.sh --install  then install it with apt-get (as root or through
#                         sudo) and try the installed program: its version,
#                         brisklet-cli build on a test project and one test
#                         of its window
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
"$top/scripts/install-deps.sh"
# Installed under /usr, where the module goes to Debian's library folder.
"$top/scripts/build.sh" "$build" -DCMAKE_INSTALL_PREFIX=/usr

rm -f "$build"/brisklet_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/brisklet_*.deb)
lintian --fail-on error "$deb"
echo "Built $deb"

if [ "${1:-}" != --install ]; then
  echo "Install it with: sudo apt-get install ./${deb#"$top"/}"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
# The same version again (a second run) is installed anew.
(cd "$build" && DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" \
  apt-get install -y -q --reinstall --allow-downgrades "./$(basename "$deb")")

version=$(sed -n 's/^project(Brisklet VERSION \([^ ]*\).*/\1/p' "$top/CMakeLists.txt")
[ "$(brisklet --version)" = "brisklet $version" ]

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/www"
sed "s|LOCAL|$scratch/www|" "$top/tests/data/cli/build-project.dta" >"$scratch/site.dta"
brisklet-cli build "$scratch/site.dta"
for file in blog.xml blog.html diary.rdf diary.html; do
  [ -s "$scratch/www/$file" ] || { echo "brisklet-cli build wrote no $file"; exit 1; }
done

BRISKLET_APP=$(command -v brisklet) "$build/tests/tst_brisklet_process" \
  projectFilesFromTheDesktopUnderXvfb
echo "The installed package works."
