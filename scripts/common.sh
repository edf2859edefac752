# Shared by scripts/run and scripts/test: installs missing packages and builds.
# shellcheck shell=bash

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ensure_packages SECTION...: installs whatever the named sections of scripts/packages.txt list
# and is missing; apt-get runs only when something is.
ensure_packages() {
    local missing=() pkg section=""
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        if [[ "$pkg" =~ ^\[(.*)\]$ ]]; then
            section=${BASH_REMATCH[1]}
            continue
        fi
        [[ " $* " == *" $section "* ]] || continue
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done < "$root_dir/scripts/packages.txt"
    ((${#missing[@]} == 0)) && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_tree DIR BUILD_TYPE TARGET [cmake options...]: configures DIR, then builds TARGET
# (all for everything).
build_tree() {
    local dir="$1" type="$2" target="$3"
    shift 3
    cmake -S "$root_dir" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$dir" --parallel "$(nproc)" --target "$target"
}
