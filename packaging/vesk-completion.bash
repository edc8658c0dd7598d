# bash completion for vesk, the command-line companion of Quelvo Tools.
_vesk()
{
    local cur prev words cword
    _init_completion || return

    local commands="info export save sequence synth plot help"
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local command=${words[1]}
    case $prev in
        --kind)
            COMPREPLY=($(compgen -W "s1d s2d d1d d2d d0d" -- "$cur")); return ;;
        --format)
            if [[ $command == plot ]]; then
                COMPREPLY=($(compgen -W "png svg pdf" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "res2dinv csv bert" -- "$cur"))
            fi
            return ;;
        --diagram)
            COMPREPLY=($(compgen -W "pseudo-section sounding-curves profile-curves signals" -- "$cur")); return ;;
        --values)
            COMPREPLY=($(compgen -W "resistivity chargeability" -- "$cur")); return ;;
        --gridding)
            COMPREPLY=($(compgen -W "idw akima" -- "$cur")); return ;;
        --log)
            COMPREPLY=($(compgen -W "x y xy" -- "$cur")); return ;;
        --coords)
            COMPREPLY=($(compgen -W "metres numbers" -- "$cur")); return ;;
        --file-version)
            COMPREPLY=($(compgen -W "122 221 121" -- "$cur")); return ;;
        --ip-window)
            COMPREPLY=($(compgen -W "60 120 160 200 240 320" -- "$cur")); return ;;
        --sliding-average)
            COMPREPLY=($(compgen -W "3 5 7 9" -- "$cur")); return ;;
        --array)
            COMPREPLY=($(compgen -W "wenner schlumberger dipole-dipole wenner-beta wenner-gamma \
                fwd-pole-dipole rev-pole-dipole pole-pole equat-dipole-dipole" -- "$cur")); return ;;
        -o | --output | --append | --csv)
            _filedir; return ;;
        --quality | --voltage | --current | --resistivity | --chargeability | --first | --spacing | \
        --origin | --group | --disable | --rho | --thickness | --dip | --dip-origin | --series | \
        --ip-time-constant | --seed | --bad-fraction | --comment | --size | --radius)
            return ;;
    esac

    local filters="--quality --voltage --current --resistivity --chargeability --sliding-average"
    local options
    case $command in
        info) options="--kind --first --coords --help" ;;
        export) options="--append --format --output -o --coords --kind $filters --help" ;;
        save) options="--append --output -o --in-place --kind $filters --help" ;;
        sequence)
            if ((cword == 2)); then
                COMPREPLY=($(compgen -W "2d 1d --help" -- "$cur")); return
            fi
            case ${words[2]} in
                2d) options="--array --spacing --origin --group --disable --roll-along --output -o --csv --coords --help" ;;
                *) options="--array --geometric --group --output -o --help" ;;
            esac
            ;;
        plot) options="--output -o --format --size --kind --append --diagram --values --gridding --radius --log \
            $filters --help" ;;
        synth) options="--output -o --kind --series --rho --thickness --dip --dip-origin --chargeability \
            --ip-window --ip-time-constant --seed --bad-fraction --comment --file-version --help" ;;
        help)
            COMPREPLY=($(compgen -W "info export save sequence synth plot" -- "$cur")); return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        _filedir '@(s1d|s2d|d1d|d2d|d0d|S1D|S2D|D1D|D2D|D0D)'
    fi
} && complete -F _vesk vesk
