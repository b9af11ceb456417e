#!/usr/bin/env bash
# A Windows installer as a user (per-user) or an administrator (per-machine) meets it, under Wine: a silent
# msiexec installs the program, its licence texts and the Start-menu shortcut, and registers the product for the
# installed-programs list; the shortcut starts the program and its window shows; a later version (made here
# from the same files) replaces it; the earlier one then refuses to install; and uninstalling leaves no file,
# folder, shortcut or registry key of ours behind.
# Usage: msi_test.sh per-user|per-machine VERSION BUILD_DIRECTORY EMULATOR...
#        (scripts/build-windows writes the installers there)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/lib.sh
source "$here/../../scripts/lib.sh"
scope=$1 version=$2 build=$3
shift 3
run=("$@")

# Without the installer or these tools the test cannot run: 77 has CTest report it as skipped. CI must run it.
installer="$build/brelvix-$version-windows-x64.msi" make_msi_options=()
[ "$scope" = per-user ] || installer="${installer%.msi}-system.msi" make_msi_options=(--per-machine)
for needed in "$installer" "$(command -v xdotool)" "$(command -v msiinfo)" "$(command -v wixl)"; do
    if [ ! -e "$needed" ]; then
        echo "msi_test: needs scripts/build-windows's installer, xdotool and msitools" >&2
        [ -z "${CI:-}" ] || exit 1
        exit 77
    fi
done

work=$(mktemp -d)
installed_codes=()
cleanup() {
    # A failed run uninstalls what it installed, so that the prefix's later tests start as before.
    for code in "${installed_codes[@]}"; do
        "${run[@]}" msiexec /x "$code" /qn >/dev/null 2>&1 || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

windows_path() {
    "${run[@]}" winepath -w "$1" 2>/dev/null | tr -d '\r'
}
unix_path() {
    "${run[@]}" winepath -u "$1" 2>/dev/null | tr -d '\r'
}
folder_of() {
    unix_path "$("${run[@]}" cmd.exe /c echo "%$1%" 2>/dev/null | tr -d '\r')"
}
product_code() {
    msiinfo export "$1" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r'
}
msiexec() {
    "${run[@]}" msiexec "$@" /qn </dev/null >/dev/null 2>&1
}
registry_has() {
    "${run[@]}" reg query "$1" </dev/null >"$work/reg.txt" 2>/dev/null
}

if [ "$scope" = per-machine ]; then
    program_folder="$(folder_of ProgramFiles)/Brelvix" installer_cache="$(folder_of WINDIR)/Installer"
    name='Brelvix for Access (all users)' working_folder="\\Program Files\\Brelvix\\"
else
    # The install makes the user's programs folder, which the uninstall is to remove with its own.
    user_programs="$(folder_of LOCALAPPDATA)/Programs" installer_cache="$(folder_of APPDATA)/Microsoft/Installer"
    program_folder="$user_programs/Brelvix" name='Brelvix for Access' working_folder="\\Programs\\Brelvix\\"
    [ ! -e "$user_programs" ] || fail "the prefix has $user_programs already, so the test cannot tell who made it"
fi
# A per-machine install puts the shortcut into the Start menu of all users on Windows, but Wine's msi (as of
# Wine 8) still takes the user's for ProgramMenuFolder whatever ALLUSERS says, so the test finds it there.
shortcut="$(folder_of APPDATA)/Microsoft/Windows/Start Menu/Programs/Brelvix for Access.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
code=$(product_code "$installer")
[ -n "$code" ] || fail "$installer names no product code"

# Install: the files, the shortcut to the program with its icon, and the entry of the installed-programs list.
installed_codes+=("$code")
msiexec /i "$(windows_path "$installer")" || fail "msiexec could not install $installer"
for file in brelvix.exe LICENSE.txt THIRD-PARTY-NOTICES.txt; do
    [ -f "$program_folder/$file" ] || fail "the install lacks $program_folder/$file"
done
[ -f "$shortcut" ] || fail "the install made no Start-menu shortcut $shortcut"
shortcut_text=$(strings -e l "$shortcut")
# The target is stored as a list of names; starting the program through the shortcut shows it is right.
[[ "$shortcut_text" == *brelvix.exe* && "$shortcut_text" == *"$working_folder"* &&
    "$shortcut_text" == *"\\$code\\brelvix.ico"* ]] ||
    fail "the shortcut does not name the installed program and its icon: $shortcut_text"
registry_has "$uninstall_key\\$code" || fail "the installed-programs list has no entry $code"
for value in "DisplayName    REG_SZ    $name" "DisplayVersion    REG_SZ    $version" \
    'Publisher    REG_SZ    The Brelvix authors'; do
    grep -qF "$value" "$work/reg.txt" || fail "the installed-programs entry lacks $value: $(cat "$work/reg.txt")"
done
# ARPPRODUCTICON: Windows Installer keeps the list's icon beside the product's registration.
cmp -s "$installer_cache/$code/brelvix.ico" "$here/../../packaging/icons/brelvix.ico" ||
    fail "the installed-programs list has not the program's icon"

# Start the program as the user does, through its shortcut, and end it with Exit.
"${run[@]}" start /unix "$shortcut" </dev/null >/dev/null 2>&1
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Brelvix for Access \(Ver' | head -n 1) ||
    fail "the program started through the shortcut showed no window"
timeout 10 xdotool windowfocus --sync "$window" key alt+x || fail "the window could not be focused"
timeout 10 bash -c "while xdotool getwindowname $window >/dev/null 2>&1; do sleep 0.1; done" ||
    fail "Alt+X did not close the installed program's window"

# A later version, made with the same tool from the same files, replaces this one.
IFS=. read -r major minor patch <<<"$version"
later_version="$major.$minor.$((patch + 1))"
later="$work/brelvix-$later_version-windows-x64.msi"
SOURCE_DATE_EPOCH=$(stat -c %Y "$build/release/brelvix.exe") "$here/../../packaging/make-msi" "${make_msi_options[@]}" \
    "$later_version" "$build/release" "$later"
later_code=$(product_code "$later")
[ "$later_code" != "$code" ] || fail "the later version has the same product code, so it cannot upgrade"
installed_codes+=("$later_code")
msiexec /i "$(windows_path "$later")" || fail "msiexec could not install $later_version over $version"
if ! registry_has "$uninstall_key\\$later_code" ||
    ! grep -qF "DisplayVersion    REG_SZ    $later_version" "$work/reg.txt"; then
    fail "the installed-programs list has no entry for $later_version"
fi
! registry_has "$uninstall_key\\$code" || fail "$version is still listed after the upgrade to $later_version"
[ -f "$program_folder/brelvix.exe" ] || fail "the upgrade left no program in $program_folder"

# The earlier version refuses to replace the later one: its launch condition, with the message it shows,
# stops the install (Wine's log leaves the message out; the package holds it).
if msiexec /i "$(windows_path "$installer")"; then
    fail "$version installed over $later_version"
fi
msiinfo export "$installer" LaunchCondition | grep -q $'^NOT WIX_DOWNGRADE_DETECTED\tA newer version of' ||
    fail "the installer carries no message for a refused downgrade"
registry_has "$uninstall_key\\$later_code" || fail "the refused downgrade removed $later_version"

# Uninstall: nothing of ours is left.
msiexec /x "$later_code" || fail "msiexec could not uninstall $later_version"
installed_codes=()
[ ! -e "$program_folder" ] || fail "the uninstall left $program_folder: $(ls -A "$program_folder")"
[ ! -e "$shortcut" ] || fail "the uninstall left the shortcut $shortcut"
[ ! -e "$installer_cache/$later_code" ] || fail "the uninstall left the cached icon"
[ ! -e "${user_programs:-}" ] || fail "the uninstall left $user_programs, which the install made"
for key in "$uninstall_key\\$code" "$uninstall_key\\$later_code" 'HKCU\Software\Brelvix'; do
    ! registry_has "$key" || fail "the uninstall left the registry key $key"
done
echo "msi_test: $scope $version installed, started, upgraded to $later_version, not downgraded, and uninstalled"
