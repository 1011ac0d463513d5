#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and
# a packager see there: the files and nothing else, valid desktop entry and
# metainfo, the document type recognised by its first bytes, the versions,
# the manual pages and the shell completion.
# usage: install_test.sh BUILD_DIR PROJECT_VERSION
set -euo pipefail

build=$1
version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/plexion-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

# Every installed file belongs to one of the places a desktop application
# puts things; anything else (libraries, headers, tests) is a packaging fault.
while IFS= read -r file; do
    case "$file" in
        bin/plexion | bin/plexion-tool | libexec/plexion/plexion-tool-video) ;;
        share/applications/org.plexion.Plexion.desktop) ;;
        share/metainfo/org.plexion.Plexion.metainfo.xml) ;;
        share/mime/packages/org.plexion.Plexion.xml) ;;
        share/icons/hicolor/*/apps/org.plexion.Plexion.png) ;;
        share/icons/hicolor/scalable/apps/org.plexion.Plexion.svg) ;;
        share/icons/hicolor/*/mimetypes/application-x-plexion-resources.png) ;;
        share/icons/hicolor/scalable/mimetypes/application-x-plexion-resources.svg) ;;
        share/man/man1/plexion.1.gz | share/man/man1/plexion-tool.1.gz) ;;
        share/bash-completion/completions/plexion-tool) ;;
        *) fail "unexpected installed file $file" ;;
    esac
done < <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)

for file in bin/plexion bin/plexion-tool share/icons/hicolor/48x48/apps/org.plexion.Plexion.png \
            share/icons/hicolor/scalable/apps/org.plexion.Plexion.svg \
            share/icons/hicolor/scalable/mimetypes/application-x-plexion-resources.svg \
            share/man/man1/plexion.1.gz share/man/man1/plexion-tool.1.gz; do
    [[ -s "$prefix/$file" ]] || fail "missing $file"
done
[[ -x "$prefix/bin/plexion-tool" ]] || fail "plexion-tool is not executable"
# The installed tool finds the program it hands the movie commands to.
"$prefix/bin/plexion-tool" codecs | grep -q . || fail "plexion-tool codecs from the installed tree"

desktop-file-validate "$prefix/share/applications/org.plexion.Plexion.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.plexion.Plexion.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"

# The document type: a document made by the tool is ours, another .dat is not.
export XDG_DATA_HOME=$work/data XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=
mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$prefix/share/mime/packages/org.plexion.Plexion.xml" "$XDG_DATA_HOME/mime/packages/"
update-mime-database "$XDG_DATA_HOME/mime"
tool=$prefix/bin/plexion-tool
"$tool" new "$work/level.dat" >/dev/null
head -c 4096 /dev/urandom >"$work/other.dat"
printf 'a text file\n' >"$work/notes.dat"
[[ $(xdg-mime query filetype "$work/level.dat") == application/x-plexion-resources ]] ||
    fail "a document is not recognised: $(xdg-mime query filetype "$work/level.dat")"
for other in other.dat notes.dat; do
    [[ $(xdg-mime query filetype "$work/$other") != application/x-plexion-resources ]] ||
        fail "$other is claimed as a resource document"
done

# Versions and help in the GNU form.
[[ $("$tool" --version) == "plexion-tool (Plexion) $version" ]] || fail "plexion-tool --version"
[[ $(QT_QPA_PLATFORM=offscreen "$prefix/bin/plexion" --version) == "plexion (Plexion) $version" ]] ||
    fail "plexion --version"
help=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/plexion" --help)
for word in FILE "-p FILE" --screenshot --version; do
    grep -qF -- "$word" <<<"$help" || fail "plexion --help does not mention $word"
done

# Manual pages render without warnings, and every command of the tool is
# documented in its page.
for page in plexion plexion-tool; do
    warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [[ -z "$warnings" ]] || fail "man $page: $warnings"
done
page_text=$(MANWIDTH=200 man -l "$prefix/share/man/man1/plexion-tool.1.gz" 2>/dev/null)
grep -qF "$version" <<<"$page_text" || fail "the plexion-tool page does not give the version"
while read -r command; do
    grep -qE "^ {7}$command( |$)" <<<"$page_text" || fail "the manual page lacks the command $command"
done < <("$tool" --help | sed -n 's/^  plexion-tool \([a-z-]*\).*/\1/p')

# Shell completion offers the commands and the kinds.
completion=$prefix/share/bash-completion/completions/plexion-tool
complete_words() {
    PATH=$prefix/bin:$PATH bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _plexion_tool plexion-tool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
[[ $(complete_words plexion-tool add-t | tr '\n' ' ') == "add-text add-trajectory " ]] ||
    fail "completion of add-t: $(complete_words plexion-tool add-t | tr '\n' ' ')"
[[ $(complete_words plexion-tool extract game.dat so) == sounds ]] ||
    fail "completion of a kind: $(complete_words plexion-tool extract game.dat so)"

if ((failures > 0)); then
    echo "$failures install checks failed" >&2
    exit 1
fi
echo "install checks passed"
