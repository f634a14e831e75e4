# bash completion for spurwerk-cli: commands, their options, --track values
# and the parameter names of tracks, set and search.

_spurwerk_cli() {
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    fi

    local commands="info tracks set copy-track swap-tracks files marks wav hex diff save-project copy search infofiles endmarks series peaks archive import export"
    local groups="Status FileAss Pan Stereo[v] EQxH[v] EQxH EQxM[v] EQxM EQxL[v] EQxL Reverb[v] Reverb Chorus[v] Chorus Fader Invert[v] EQHighHz EQMidHz EQLowHz EQMidQual"
    local tracks="1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"

    local command="" at=0 i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --lang) ((i++)) ;;
            -*) ;;
            *) command=${words[i]}; at=$i; break ;;
        esac
    done

    case $prev in
        --lang) COMPREPLY=($(compgen -W "de en" -- "$cur")); return ;;
        --track|--track-count) COMPREPLY=($(compgen -W "$tracks" -- "$cur")); return ;;
        --groups)
            local done_part="" last=$cur
            if [[ $cur == *,* ]]; then done_part=${cur%,*},; last=${cur##*,}; fi
            COMPREPLY=($(compgen -P "$done_part" -W "$groups" -- "$last"))
            compopt -o nospace 2>/dev/null
            return ;;
        --sort) COMPREPLY=($(compgen -W "dir date name time" -- "$cur")); return ;;
        --stereo) COMPREPLY=($(compgen -W "pair mono" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "wav16 wav24 flac" -- "$cur")); return ;;
        --to) COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --tracks) return ;;
        --start|--count|--prefix|--filter|--date-format|--min-width|--name) return ;;
        --names|--from-json|--verify|--list|--restore|--extract) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --to|--card) COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --level) COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7 8" -- "$cur")); return ;;
        --width|--number) return ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help --version --lang" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local options="--help --json --lang"
    case $command in
        info|hex|diff) ;;
        tracks) options+=" --summary --table --compact --groups --track-count" ;;
        set) options+=" --track --all --bank1 --bank2 --from-json" ;;
        copy-track|swap-tracks) ;;
        files) options+=" --list-size" ;;
        marks) options+=" --set-end --delete-after-end --delete-all --yes --no" ;;
        wav) options+=" --list-size" ;;
        save-project) options+=" --name --keep-unchanged --yes --no --r24 --info-files" ;;
        copy) options+=" --yes --no --r24 --info-files" ;;
        search) options+=" --filter --prj --no-prj --wav --no-wav --record-modi --wav-size --wav-date --date-format --groups --compact --sort --reverse --min-width --show-list-size" ;;
        infofiles) options+="" ;;
        endmarks) options+=" --yes --no" ;;
        series) options+=" --start --count --prefix --names --yes --no --r24 --info-files" ;;
        peaks) options+=" --width" ;;
        archive) options+=" --to --level --remove-after --r24 --verify --list --restore --extract --card --number --info-files --flac --yes --no" ;;
        import) options+=" --track --name --stereo" ;;
        export) options+=" --to --format --tracks --overwrite" ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        set)
            # GROUP=VALUE after the file
            if ((cword > at + 1)) && [[ $cur != */* && $cur != .* ]]; then
                local assignments=() g
                for g in $groups; do assignments+=("$g="); done
                COMPREPLY=($(compgen -W "${assignments[*]}" -- "$cur"))
                if ((${#COMPREPLY[@]})); then compopt -o nospace 2>/dev/null; return; fi
            fi ;;
        copy-track|swap-tracks)
            if ((cword > at + 1)) && [[ $cur =~ ^[0-9]*$ ]]; then
                COMPREPLY=($(compgen -W "$tracks" -- "$cur"))
                ((${#COMPREPLY[@]})) && return
            fi ;;
        infofiles)
            if [[ ${words[cword-1]} == infofiles ]]; then
                COMPREPLY=($(compgen -W "update delete-unassigned delete-all" -- "$cur"))
                return
            fi ;;
    esac
    COMPREPLY=($(compgen -f -- "$cur"))
    compopt -o filenames 2>/dev/null
}

complete -F _spurwerk_cli spurwerk-cli
