#!/usr/bin/env bash
# Fails when a source file includes a header of a folder that its folder's library does not
# link, directly or through the libraries it links: includes follow the link graph of the
# folders' own CMakeLists.txt (app → dialogs → ui → (editor, settings, buildrun, layout) →
# platform; buildrun → jdklaunch; tools → platform; the JDK launchers in java → jdklaunch), so a
# folder never includes one above it or beside it.
# Usage: include_order.sh [source root]
set -uo pipefail
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 2
folders=(app dialogs ui editor settings buildrun layout tools platform jdklaunch java)

# Each folder's library and the project libraries it links.
declare -A folder_of links
for folder in "${folders[@]}"; do
    while read -r library; do folder_of[$library]=$folder; done < <(
        sed -n 's/^add_library(\(tarneljava_[a-z_]*\).*/\1/p' "$folder/CMakeLists.txt")
done
for folder in "${folders[@]}"; do
    links[$folder]=$(tr '\n' ' ' <"$folder/CMakeLists.txt" |
        grep -o 'target_link_libraries([^)]*)' | grep -o 'tarneljava_[a-z_]*' |
        while read -r library; do echo "${folder_of[$library]:-}"; done | sort -u | tr '\n' ' ')
done
# What a folder may include: itself and every folder it reaches through its links.
reach() {
    local seen=" $1 " queue=($1) next
    while ((${#queue[@]})); do
        next=${queue[0]}; queue=("${queue[@]:1}")
        for linked in ${links[$next]}; do
            [[ "$seen" == *" $linked "* ]] || { seen+="$linked "; queue+=("$linked"); }
        done
    done
    echo "$seen"
}
declare -A allowed
for folder in "${folders[@]}"; do allowed[$folder]=$(reach "$folder"); done

bad=0
while IFS=: read -r file target; do
    from="${file%%/*}"
    to="${target%%/*}"
    [[ " ${folders[*]} " == *" $to "* ]] || continue
    if [[ "${allowed[$from]}" != *" $to "* ]]; then
        echo "$file includes $target: $from/'s library does not link $to/"
        bad=1
    fi
done < <(grep -rHo --include='*.h' --include='*.cpp' \
             '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*"' "${folders[@]}" |
         sed 's/:[^"]*"\([^"]*\)"$/:\1/')
((bad)) || echo "every include follows the link graph"
exit $bad
