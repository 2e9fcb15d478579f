#!/bin/sh
# Builds the Debian package from build/default and checks it: its files, its
# dependencies, its desktop entry and metainfo; then installs it where this
# machine allows (root), runs the installed batch tool and removes it again.
set -eu
cd "$(dirname "$0")/.."
build=build/default

rm -f "$build"/gongshang-calc_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/gongshang-calc_*.deb)"
echo "package: $deb"

fail() { echo "package check failed: $*" >&2; exit 1; }

files="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/gongshang-calc ./usr/bin/gongshang-claim ./usr/bin/gongshang-batch \
         ./usr/share/applications/example.gsjs.GongshangCalc.desktop \
         ./usr/share/metainfo/example.gsjs.GongshangCalc.metainfo.xml \
         ./usr/share/applications/example.gsjs.GongshangClaim.desktop \
         ./usr/share/metainfo/example.gsjs.GongshangClaim.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/gongshang-calc.svg \
         ./usr/share/gongshang/regions.json; do
  echo "$files" | grep -qx "$f" || fail "missing $f"
done

depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6 qt6-translations-l10n; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -f "$deb" Recommends | grep -q fonts-noto-cjk || fail "no CJK font recommended"

for app_id in example.gsjs.GongshangCalc example.gsjs.GongshangClaim; do
  desktop-file-validate "packaging/$app_id.desktop"
  appstreamcli validate --no-net --pedantic "packaging/$app_id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "packaging/$app_id.metainfo.xml"
done

if [ "$(id -u)" -eq 0 ]; then
  # A run cut short earlier may have left the package behind.
  if dpkg-query -W -f='${Status}' gongshang-calc 2>/dev/null | grep -q "install ok installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq gongshang-calc >/dev/null
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
  /usr/bin/gongshang-batch --help >/dev/null || { apt-get remove -y -qq gongshang-calc; fail "installed gongshang-batch --help"; }
  printf '工伤等级,本人月均工资,统筹月工资\n五,3500,4000\n' | /usr/bin/gongshang-batch | grep -q ',63000,2450,' ||
    { apt-get remove -y -qq gongshang-calc; fail "installed gongshang-batch computes wrongly"; }
  # --claim finds the rules file the package installs beside the program.
  printf '工伤等级,本人月均工资,统筹月工资,地区,出生日期,原退休年龄,解除日期\n十,6000,6000,河南,1980-03-01,50,2027-11-01\n' |
    /usr/bin/gongshang-batch --claim | grep -q ',36000.00,36000.00,' ||
    { apt-get remove -y -qq gongshang-calc; fail "installed gongshang-batch --claim"; }
  report="$(mktemp --suffix=.pdf)"
  /usr/bin/gongshang-claim --pdf "$report" docs/claim-example.json && pdftotext "$report" - | grep -q 一次性伤残就业补助金 ||
    { rm -f "$report"; apt-get remove -y -qq gongshang-calc; fail "installed gongshang-claim --pdf"; }
  rm -f "$report"
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq gongshang-calc >/dev/null
  echo "installed, ran /usr/bin/gongshang-batch and gongshang-claim --pdf, and removed the package"
else
  echo "not root: the package was checked but not installed"
fi
echo "package checks passed"
