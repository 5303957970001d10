#!/usr/bin/env bash
# Takes the pictures of the help from the running program: starts Ondalis under Xvfb and
# openbox, drives it with xdotool as a user would (clicks on its buttons, tabs and scene, keys
# typed in its windows), and saves screenshots of the real windows into the help's resources,
# src/mainwindow/help/aide/images. A window that does not appear (not built yet) is skipped
# with a message: its picture is kept, or a placeholder is drawn when there is none, so the
# help always finds every picture. Rerun it whenever a window changes, then rebuild.
# Given an installed program (/usr/bin/ondalis, from the Debian package) instead of a build
# folder, the pictures show the installed program folder, as the help describes it.
# Usage: scripts/help-screenshots.sh [build-dir | installed program]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
images=$root/src/mainwindow/help/aide/images
if [[ -f ${1:-} && -x ${1:-} ]]; then
    program=$(realpath "$1")
else
    # Absolute: the program is started from another folder.
    build=$(cd "${1:-$root/build}" && pwd)
    program=$build/src/app/ondalis
fi

"$root/scripts/install-deps.sh" openbox imagemagick
[[ -x $program ]] || cmake --build "$build" --target ondalis -j "$(nproc)"
mkdir -p "$images"

# A private display between :20 and :89.
for n in $(seq 20 89); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    display=:$n
    break
done
[[ -n ${display:-} ]] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
openbox_pid=$!
work=$(mktemp -d)
app_pid=
cleanup() {
    # A program already gone must not keep the display servers alive.
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
    kill "$openbox_pid" "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
sleep 0.5

# The program starts in a working folder of its own, so that the open and save dialogs list
# that folder: a pupil's folder with two configurations saved in it (taken from the pack).
folder=$work/Ondalis
mkdir -p "$folder"
# The program folder: beside the executable in a build tree, share/ondalis once installed.
pack=$(dirname "$program")
[[ -d $pack/exercices ]] || pack=$(dirname "$pack")/share/ondalis
for f in "$pack"/exercices/periode.P19:oscillations-libres.P19 \
    "$pack"/exercices/regimes.P19:regime-aperiodique.P19; do
    [[ -f ${f%%:*} ]] && cp "${f%%:*}" "$folder/${f##*:}"
done
(cd "$folder" && exec "$program" >"$work/ondalis.log" 2>&1) &
app_pid=$!

visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort; }

# Waits up to $2 seconds for a new visible window of the program whose title matches $1
# (any title when $1 is empty) and prints its id.
wait_for_window() {
    local title=$1 seconds=$2 before=$3 w
    for _ in $(seq $((seconds * 10))); do
        for w in $(comm -13 <(echo "$before") <(visible_windows)); do
            if [[ -z $title || $(xdotool getwindowname "$w" 2>/dev/null) == "$title" ]]; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

main=$(wait_for_window Ondalis 20 "")
sleep 1
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true

click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep "${3:-0.4}"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
shoot() { import -window "$1" "$work/shot.png"; }
# Closes a window with Escape, or through the window manager (Alt+F4) when it keeps it. The
# key is typed as a user types it: a key sent to a window (xdotool key --window) is a
# synthetic X event, after which Qt ignores the next mouse clicks in the main window.
close_window() {
    xdotool key --clearmodifiers Escape 2>/dev/null || true
    sleep 0.5
    if visible_windows | grep -qx "$1"; then
        xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
        sleep 0.5
    fi
}
save() { convert "$work/shot.png" -strip "$images/$1"; echo "picture: $1"; }
save_crop() { # name x y w h, in the main window's pixels
    convert "$work/shot.png" -crop "$4x$5+$2+$3" +repage -strip "$images/$1"
    echo "picture: $1"
}
placeholder() {
    [[ -e $images/$1 ]] && return 0
    convert -size 420x160 xc:'#f0ebe6' -fill '#404040' -font DejaVu-Sans -pointsize 15 \
        -gravity center -annotate 0 "Illustration à venir :\n$2" -strip "$images/$1"
    echo "picture: $1 (placeholder)"
}
skipped() {
    echo "skipped: $2 does not appear yet; $1 kept"
    placeholder "$1" "$2"
}

# The tab strip is at (8, 384), 417 pixels wide; its panels start 4 pixels in, below the
# header row (about 19 pixels). Tabs are picked in the header row.
tab() { click $((8 + 417 * (2 * $1 - 1) / 8)) 390; }
panel_x=12
panel_y=403

# Settings panels.
tab 1
shoot "$main" && save_crop onglet-parametres.png 8 384 417 161
tab 2
click $((panel_x + 24)) $((panel_y + 23))  # "Afficher les vecteurs forces"
click $((panel_x + 232)) $((panel_y + 23)) # "Afficher le vecteur vitesse"
shoot "$main" && save_crop onglet-vecteurs.png 8 384 417 161
tab 3
shoot "$main" && save_crop onglet-affichage.png 8 384 417 161

# A lightly damped motion (h = 0,05) released at x0 = 5 cm (X = 600 in the scene at
# (8, 280)), recorded over 5 s, then paused.
tab 1
xdotool mousemove --window "$main" 308 517 click --repeat 3 1
xdotool type '0,05'
key Tab
click 608 301 8
click 140 260 # "Pause"
shoot "$main"
save fenetre-principale.png
save_crop scene.png 8 280 785 57
save_crop graphe.png 176 48 617 225
tab 4
shoot "$main" && save_crop onglet-enregistrement.png 8 384 417 161
tab 1

# The copy menu, popped up by "Copier".
before=$(visible_windows)
click 288 20 0.2
if w=$(wait_for_window "" 3 "$before"); then
    sleep 0.3
    shoot "$w" && save menu-copier.png
    key Escape
else
    skipped menu-copier.png "menu « Copier »"
fi

# The calculator, with 2 * (3 + 4) computed.
before=$(visible_windows)
click 524 20 0.2
if w=$(wait_for_window "Machine à calculer" 5 "$before"); then
    sleep 0.5
    xdotool type --delay 80 '2*(3+4)'
    key Return
    sleep 0.5
    shoot "$w" && save calculatrice.png
    close_window "$w"
else
    skipped calculatrice.png "« Machine à calculer »"
fi
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true

# A dialog opened by a command button, captured and closed with Escape.
dialog() { # picture title x y
    local before w
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
    before=$(visible_windows)
    click "$3" "$4" 0.2
    if w=$(wait_for_window "$2" 5 "$before"); then
        sleep 0.8
        shoot "$w" && save "$1"
        close_window "$w"
    else
        skipped "$1" "fenêtre « $2 »"
    fi
}
dialog ouvrir.png "Ouvrir une configuration" 56 20
dialog enregistrer.png "Enregistrer les paramètres." 172 20
dialog imprimer.png "Imprimer" 404 20

# The exercise menu of "Exercices", then its catalogue ("Ouvrir un exercice (énoncé +
# configuration)", the second entry), which covers the main window.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
before=$(visible_windows)
click 470 352 0.2
if w=$(wait_for_window "" 3 "$before"); then
    sleep 0.3
    shoot "$w" && save menu-exercices.png
    before=$(visible_windows)
    key Down Down Return
    if c=$(wait_for_window "" 5 "$before"); then
        sleep 1
        shoot "$c" && save catalogue.png
        close_window "$c"
    else
        skipped catalogue.png "catalogue « Ouvrir un exercice »"
    fi
else
    skipped menu-exercices.png "menu « Exercices »"
    skipped catalogue.png "catalogue « Ouvrir un exercice »"
fi

# The help window itself, on its contents.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
before=$(visible_windows)
click 636 20 0.2
if w=$(wait_for_window "Aide d'Ondalis" 5 "$before"); then
    sleep 0.8
    shoot "$w" && save aide.png
else
    skipped aide.png "fenêtre « Aide d'Ondalis »"
fi
echo "help pictures written to $images"
