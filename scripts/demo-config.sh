#!/usr/bin/env bash
# The demo side of ./run.sh: which of its options go to the virtual unit, and the cfg.ini a
# first demo run starts with. run.sh sources it; run directly it prints or writes what run.sh
# would, so that the rules can be tested on their own:
#   demo-config.sh split [run.sh options...]        one "unit<TAB>arg" or "app<TAB>arg" a line
#   demo-config.sh write <cfg.ini> [run.sh options...]

demo_usage() {
    cat <<'EOF'
Usage: ./run.sh [demo options] [application options]

Installs what is missing, builds, starts a virtual unit on loopback and then the application
in run/, where its cfg.ini and devices.db live.

Demo options (passed to the virtual unit):
  --password <text>   the unit asks for this password at login (default: none)
  --count <N>         N units on consecutive loopback addresses 127.0.0.1, 127.0.0.2, ...
  --profile <0-4>     the unit's configuration: 0 16x16, 1 16x8 + USB (default),
                      2 8x8 + USB, 3 4x8, 4 12x12 with Dante
  -h, --help          this text

Anything else (for instance --verbose) goes to the application; so does everything after "--".

On the first run run/cfg.ini is written: both languages offered, the language of the locale
(LC_ALL, LC_MESSAGES, LANG: Chinese for zh*, English otherwise), both appearances, and the
unit's configuration selected. An existing run/cfg.ini is left as it is; the application
follows the configuration a unit reports when it connects. Remove run/cfg.ini to start afresh.
EOF
}

# Splits run.sh's arguments into demo_unit_args and demo_app_args, and sets demo_profile and
# demo_help. Returns 2 (with a message on stderr) on a demo option without a usable value.
demo_split() {
    demo_unit_args=()
    demo_app_args=()
    demo_profile=1
    demo_help=0
    while [ $# -gt 0 ]; do
        local arg=$1 name value
        shift
        case $arg in
        --)
            demo_app_args+=("$@")
            break
            ;;
        -h | --help)
            demo_help=1
            continue
            ;;
        --password=* | --count=* | --profile=*)
            name=${arg%%=*}
            value=${arg#*=}
            ;;
        --password | --count | --profile)
            if [ $# -eq 0 ]; then
                echo "run.sh: $arg needs a value" >&2
                return 2
            fi
            name=$arg
            value=$1
            shift
            ;;
        *)
            demo_app_args+=("$arg")
            continue
            ;;
        esac
        case $name in
        --profile)
            if ! [[ $value =~ ^[0-4]$ ]]; then
                echo "run.sh: --profile takes 0 to 4, not '$value'" >&2
                return 2
            fi
            demo_profile=$value
            continue # passed once, below, default or not
            ;;
        --count)
            if ! [[ $value =~ ^[1-9][0-9]*$ ]]; then
                echo "run.sh: --count takes a number of units, not '$value'" >&2
                return 2
            fi
            ;;
        esac
        demo_unit_args+=("$name" "$value")
    done
    # The unit's own default configuration is the full one; the demo's is the 16 x 8 unit.
    demo_unit_args+=(--profile "$demo_profile")
}

# 1 (English) or 0 (Chinese), from the locale that decides the language of messages.
demo_language() {
    local locale=${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}
    case $locale in
    zh*) echo 0 ;;
    *) echo 1 ;;
    esac
}

# Writes the first-run cfg.ini for a unit of configuration $2 unless $1 exists already.
demo_write_config() {
    local file=$1 profile=$2 current show
    [ -e "$file" ] && return 0
    # The start-up dialog offers the 16 x 8 and 8 x 8 configurations only; for the others
    # the application takes the configuration from the unit's report once it connects.
    case $profile in
    1 | 2)
        current=$profile
        show=true
        ;;
    *)
        current=2
        show=false
        ;;
    esac
    cat >"$file" <<EOF
[Language]
Support=3
Current=$(demo_language)

[Appearance]
Support=3
Config=0

[DeviceVersionSelection]
Current=$current
ShowAtStartup=$show
EOF
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    command=${1:-}
    shift || true
    case $command in
    split)
        demo_split "$@" || exit
        [ "$demo_help" = 1 ] && echo "help"
        for a in "${demo_unit_args[@]}"; do printf 'unit\t%s\n' "$a"; done
        for a in "${demo_app_args[@]}"; do printf 'app\t%s\n' "$a"; done
        ;;
    write)
        [ $# -ge 1 ] || { echo "usage: $0 write <cfg.ini> [run.sh options...]" >&2; exit 2; }
        file=$1
        shift
        demo_split "$@" || exit
        demo_write_config "$file" "$demo_profile"
        ;;
    *)
        echo "usage: $0 split|write ..." >&2
        exit 2
        ;;
    esac
fi
