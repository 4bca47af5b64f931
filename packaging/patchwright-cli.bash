# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion of patchwright-cli: sub-commands, their options, model names, amp
# channels (letter case ignored, as the program does), and preset files by extension
# (text exports are never offered as input); scan, convert, mark and pack also offer packs.

_patchwright_cli() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD - 1]}"
    local presets='@(rp150p|rp155p|rp250p|rp255p|rp350p|rp355p|rp500p|rp1000p|g4p|g3kp|gsp1101p)'
    COMPREPLY=()

    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W 'check filter convert export diff scan mark pack chain --help --version' -- "$cur")
        return
    fi

    case "$prev" in
        --target)
            mapfile -t COMPREPLY < <(compgen -W 'RP150 RP250 RP255 RP350 RP355' -- "${cur^^}")
            return ;;
        --amp)
            mapfile -t COMPREPLY < <(compgen -W 'A B' -- "${cur^^}")
            return ;;
        --out)
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return ;;
        --svg)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X '!*.svg' -- "$cur")
            return ;;
        --model)
            mapfile -t COMPREPLY < <(compgen -W 'RP150 RP155 RP250 RP255 RP350 RP355 RP500 RP1000 GNX4 GNX3K GSP1101' -- "${cur^^}")
            return ;;
        --name|--pick|--find|--uses)
            return ;;
    esac

    if [[ "$cur" == -* ]]; then
        local options
        case "${COMP_WORDS[1]}" in
            check) options='--target --json --summary' ;;
            filter) options='--target --amp --json' ;;
            convert) options='--target --amp --pick --resolve --name --fix-names --out --overwrite --dry-run --json --quiet' ;;
            export) options='--user --complete --target --overwrite' ;;
            diff) options='--target --json' ;;
            chain) options='--target --svg' ;;
            scan) options='--target --amp --find --uses --model --duplicates --json --csv' ;;
            mark) options='--favourite --unfavourite --hide --unhide --tag --untag --note' ;;
            pack) options='--find --target --amp --overwrite' ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi

    local extglob_was_on=0
    shopt -q extglob && extglob_was_on=1
    shopt -s extglob
    compopt -o filenames 2>/dev/null
    [[ "${COMP_WORDS[1]}" == @(scan|convert|mark|pack) ]] &&
        presets="@(rp150p|rp155p|rp250p|rp255p|rp350p|rp355p|rp500p|rp1000p|g4p|g3kp|gsp1101p|zip|7z|rar|tar|tgz|gz|bz2|xz|zst)"
    mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X "!*.$presets" -- "$cur")
    [ "$extglob_was_on" = 1 ] || shopt -u extglob
}
complete -F _patchwright_cli patchwright-cli
