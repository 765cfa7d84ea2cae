# bash completion for framewright-cli

_framewright_cli()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    local options="-o --output --width --height --percent --no-keep-aspect --fit --long-edge
        --short-edge --no-enlarge --enlarge --rotate --flip --format --quality --lossless
        --metadata --name --counter-start --keep-folders --no-subfolders --on-conflict --jobs
        --log --dry-run --shard --quiet --verbose -h --help --version"

    if [ "$COMP_CWORD" -eq 1 ] && [[ merge-logs == "$cur"* ]] && [[ $cur != -* ]]; then
        COMPREPLY=(merge-logs)
        compopt -o default 2>/dev/null
        return
    fi
    case $prev in
        -o|--output)
            compopt -o dirnames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return ;;
        --format)
            COMPREPLY=($(compgen -W "keep tif tiff png jpg jpeg jp2 bmp gif webp avif heic jxl" -- "$cur"))
            return ;;
        --rotate)
            COMPREPLY=($(compgen -W "none cw ccw 180 auto" -- "$cur"))
            return ;;
        --flip)
            COMPREPLY=($(compgen -W "none horizontal vertical" -- "$cur"))
            return ;;
        --metadata)
            COMPREPLY=($(compgen -W "keep no-location none" -- "$cur"))
            return ;;
        --on-conflict)
            COMPREPLY=($(compgen -W "keep replace skip" -- "$cur"))
            return ;;
        --name)
            COMPREPLY=($(compgen -W "original size prefix: suffix: template:" -- "$cur"))
            compopt -o nospace 2>/dev/null
            return ;;
        --log)
            COMPREPLY=($(compgen -f -X '!*.@(csv|json)' -- "$cur"))
            compopt -o filenames 2>/dev/null
            return ;;
        --width|--height|--percent|--fit|--long-edge|--short-edge|--quality|--counter-start|--jobs|--shard)
            return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -- "$cur"))
}

complete -F _framewright_cli framewright-cli
