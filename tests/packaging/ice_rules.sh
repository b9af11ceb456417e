#!/usr/bin/env bash
# The installers' tables, read back with msiinfo, against the rules of Windows Installer's validation that IT
# teams run before they deploy a package; each rule goes by the name of its ICE:
#   ICE38  a component that installs into the user's profile is keyed by a registry value of its own under HKCU
#   ICE43  so is a component that holds a non-advertised shortcut
#   ICE64  every folder the package makes in the user's profile is removed again
#   ICE80  every component of an x64 package is 64-bit, and none stands in a folder of the other kind
# Usage: ice_rules.sh INSTALLER...   (scripts/build-windows writes them)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/lib.sh
source "$here/../../scripts/lib.sh"

for installer in "$@"; do
    if [ ! -e "$installer" ] || ! command -v msiinfo >/dev/null; then
        echo "ice_rules: needs scripts/build-windows's installers and msitools" >&2
        [ -z "${CI:-}" ] || exit 1
        exit 77
    fi
done

profile_folders=(AppDataFolder LocalAppDataFolder ProgramMenuFolder StartMenuFolder StartupFolder DesktopFolder
    PersonalFolder FavoritesFolder TemplateFolder SendToFolder RecentFolder NetHoodFolder PrintHoodFolder
    MyPicturesFolder AdminToolsFolder)
folders_64=(ProgramFiles64Folder CommonFiles64Folder System64Folder)
folders_32=(ProgramFilesFolder CommonFilesFolder SystemFolder)

# A table's rows, its fields parted by the unit separator: a tab, being white space, would let read merge the
# empty fields between two.
rows() {
    msiinfo export "$installer" "$1" | tail -n +4 | tr -d '\r' | tr '\t' '\037'
}

# under FOLDER NAME...: FOLDER is one of the folders NAME... or stands within one.
under() {
    local folder=$1 name
    shift
    while [ -n "$folder" ]; do
        for name in "$@"; do
            [ "$folder" != "$name" ] || return 0
        done
        folder=${parent[$folder]:-}
    done
    return 1
}

# keyed_by_hkcu COMPONENT: its key is a registry value of its own under HKCU (1, or -1 for the install's user).
keyed_by_hkcu() {
    (("${attributes[$1]} & 4")) && [ -n "${key_path[$1]}" ] &&
        [[ "${registry_root[${key_path[$1]}]:-}" =~ ^-?1$ ]] &&
        [ "${registry_component[${key_path[$1]}]}" = "$1" ]
}

broken=()
for installer in "$@"; do
    declare -A parent=() directory=() attributes=() key_path=() registry_root=() registry_component=()
    declare -A removed=()
    while IFS=$'\037' read -r folder folder_parent _; do
        parent[$folder]=$folder_parent
    done < <(rows Directory)
    while IFS=$'\037' read -r component _ folder attribute _ key; do
        directory[$component]=$folder attributes[$component]=$attribute key_path[$component]=$key
    done < <(rows Component)
    while IFS=$'\037' read -r value root _ _ _ component; do
        registry_root[$value]=$root registry_component[$value]=$component
    done < <(rows Registry)
    while IFS=$'\037' read -r _ _ file_name folder _; do
        [ -n "$file_name" ] || removed[$folder]=1
    done < <(rows RemoveFile)
    name=${installer##*/}
    x64=$(msiinfo suminfo "$installer" | sed -n 's/^Template: //p' | grep -c '^x64;' || true)

    for component in "${!directory[@]}"; do
        folder=${directory[$component]}
        if under "$folder" "${profile_folders[@]}" && ! keyed_by_hkcu "$component"; then
            broken+=("$name: ICE38: $component installs into the user's profile but is not keyed under HKCU")
        fi
        if (("${attributes[$component]} & 256")); then
            ! under "$folder" "${folders_32[@]}" || broken+=("$name: ICE80: 64-bit $component stands in $folder")
        else
            [ "$x64" -eq 0 ] || broken+=("$name: ICE80: $component of an x64 package is not 64-bit")
            ! under "$folder" "${folders_64[@]}" || broken+=("$name: ICE80: 32-bit $component stands in $folder")
        fi
    done
    while IFS=$'\037' read -r _ _ _ component target _; do
        # An advertised shortcut's target is a feature; any other is a formatted path.
        if [[ "$target" == *'['* ]] && ! keyed_by_hkcu "$component"; then
            broken+=("$name: ICE43: $component holds a non-advertised shortcut but is not keyed under HKCU")
        fi
    done < <(rows Shortcut)
    for folder in "${!parent[@]}"; do
        if under "${parent[$folder]}" "${profile_folders[@]}" && [ -z "${removed[$folder]:-}" ]; then
            broken+=("$name: ICE64: $folder, made in the user's profile, is never removed")
        fi
    done
    unset parent directory attributes key_path registry_root registry_component removed
done

[ ${#broken[@]} -eq 0 ] || fail "$(printf '%s\n' "${broken[@]}")"
echo "ice_rules: $# installers keep ICE38, ICE43, ICE64 and ICE80"
