#!/usr/bin/env bash
# Builds the Debian package from an already built tree and uses it as a user
# would: its file list against the expected set, its dependencies, the
# programs and metadata unpacked into a temporary folder, and the unpacked
# editor run twice as a user who may not write the program's folder, keeping
# its recent files in that user's settings.
#   package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
# Write access back first: a run as a plain user takes it from the program's folder.
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }
# cpack's own message for a missing helper is buried in its log; name the package.
need() { command -v "$1" >/dev/null || fail "missing program $1: install the Debian package $2"; }
need file file
need dpkg-shlibdeps dpkg-dev
need appstreamcli appstream
need strip binutils

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/ze-resource-editor_*_amd64.deb)
[[ -f "${debs[0]}" ]] || fail "no ze-resource-editor_VERSION_amd64.deb in $(ls "$work/out")"
deb="${debs[0]}"

# The files, directories left out, against what the source says ships.
app=/usr/lib/ze-resource-editor
{
    printf '%s\n' "$app/ze-editor" "$app/ze-tool" /usr/bin/ze-editor /usr/bin/ze-tool \
        /usr/share/applications/ze-resource-editor.desktop \
        /usr/share/mime/packages/ze-resource-editor.xml \
        /usr/share/icons/hicolor/scalable/apps/ze-resource-editor.svg \
        /usr/share/icons/hicolor/scalable/mimetypes/application-x-ze-moxspro.svg \
        /usr/share/metainfo/org.zeresourceeditor.ZeResourceEditor.metainfo.xml \
        /usr/share/man/man1/ze-editor.1.gz /usr/share/man/man1/ze-tool.1.gz \
        /usr/share/bash-completion/completions/ze-tool
    (cd "$source" && find template -type f -printf "$app/%p\n")
    (cd "$source/images" && find objects assets samples -type f -printf "$app/%p\n")
    (cd "$source" && find examples -type f -printf "$app/%p\n")
    (cd "$source/translations" && find . -name '*.ts' -printf "$app/translations/%f\n" |
        sed 's/\.ts$/.qm/')
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$work/listed"
diff -u "$work/expected" "$work/listed" || fail "the package's files differ from the expected set"

depends="$(dpkg-deb -f "$deb" Depends)"
[[ "$depends" == *libqt6widgets6* && "$depends" == *libc6* ]] ||
    fail "dpkg-shlibdeps found no library dependencies: Depends: $depends"

dpkg -x "$deb" "$work/root"
tool="$work/root/usr/bin/ze-tool"
version="$("$tool" --version)"
[[ "$version" == "ze-tool "* ]] || fail "ze-tool --version printed: $version"
"$tool" check "$source/examples/SampleApp.moxspro" | grep -q "4 dialogs" ||
    fail "the unpacked ze-tool does not check the example"
(unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; "$work/root/usr/bin/ze-editor" --version >/dev/null) ||
    fail "the unpacked ze-editor --version failed"
# The completion as bash loads it, with the unpacked ze-tool first on PATH:
# the commands, and after --dialog the dialogs of the projects named before.
complete_line() {
    (cd "$source/examples" && PATH="$work/root/usr/bin:$PATH" bash -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _ze_tool; echo "${COMPREPLY[*]}"' \
        _ "$work/root/usr/share/bash-completion/completions/ze-tool" "$@")
}
offered="$(complete_line ze-tool s)"
[[ "$offered" == "save serve skeleton" ]] || fail "completing \"ze-tool s\" offers: $offered"
offered="$(complete_line ze-tool save SampleApp.moxspro -o out.moxspro --dialog "")"
[[ "$offered" == "Main Settings Gallery Layouts" ]] ||
    fail "completing --dialog after the example offers: $offered"

# Settings per user. As root (CI), the editor runs as nobody (65534), who may
# not write the unpacked program's folder; as anyone else, that folder is
# made read-only. Two offscreen runs, each quitting once started: the first
# opens the example, the second another file. Each run writes the whole
# recent list it holds, so the example stays second only if the second run
# read what the first wrote.
need setpriv util-linux
program_dir="$work/root$app"
user_dir="$work/user"
mkdir -p "$user_dir/config" "$user_dir/data" "$user_dir/cache" "$user_dir/runtime"
chmod 700 "$user_dir/runtime"
cp "$source/examples/SampleApp.moxspro" "$user_dir/Second.moxspro"
as_user=()
if [[ "$(id -u)" == 0 ]]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 755 "$work"
    chown -R 65534:65534 "$user_dir"
else
    chmod -R a-w "$program_dir"
fi
"${as_user[@]}" test -w "$program_dir" && fail "the test user may write $program_dir"
run_editor() {
    "${as_user[@]}" env -i PATH="$PATH" HOME=/nonexistent QT_QPA_PLATFORM=offscreen \
        XDG_CONFIG_HOME="$user_dir/config" XDG_DATA_HOME="$user_dir/data" \
        XDG_CACHE_HOME="$user_dir/cache" XDG_RUNTIME_DIR="$user_dir/runtime" \
        timeout 120 "$work/root/usr/bin/ze-editor" "$1" --close-windows-and-quit \
        >"$work/editor.log" 2>&1 || { cat "$work/editor.log"; fail "the unpacked ze-editor $1 failed"; }
}
example="$program_dir/examples/SampleApp.moxspro"
run_editor "$example"
run_editor "$user_dir/Second.moxspro"
settings="$user_dir/config/ze-resource-editor/VaVoririvuZuvazu.ini"
[[ -f "$settings" ]] || fail "no settings in \$XDG_CONFIG_HOME: $(find "$user_dir" -name '*.ini')"
recent="$(tr -d '\r' <"$settings" | awk '/^\[/ {on = ($0 == "[Recent File List]"); next} on')"
expected_recent="$(printf 'File1=%s\nFile2=%s' "$user_dir/Second.moxspro" "$example")"
[[ "$recent" == "$expected_recent" ]] ||
    fail "the second run did not keep the first run's recent file: $recent"
[[ ! -e "$program_dir/VaVoririvuZuvazu.ini" ]] || fail "settings were written beside the program"

# A new version needs its release entry, or software centres show the old one.
metainfo="$work/root/usr/share/metainfo/org.zeresourceeditor.ZeResourceEditor.metainfo.xml"
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo" ||
    fail "the metadata has no <release> of version $(dpkg-deb -f "$deb" Version)"
appstreamcli validate --no-net "$metainfo" ||
    fail "appstreamcli refuses the metadata"
echo "package test: $(basename "$deb") ok ($(dpkg-deb -c "$deb" | wc -l) entries)"
