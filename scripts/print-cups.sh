#!/usr/bin/env bash
# A real print: starts a private CUPS server with a PDF queue (cups-pdf), runs Ondalis under a
# private X display, records a motion, prints the graph through the print dialog with the
# keyboard (Ctrl+P, "Imprimer le graphe", no centring, Enter), then renders the PDF that comes
# out and checks where the title and the graph are on the page.
# Usage: scripts/print-cups.sh [build folder]      (default: build at the top of the tree)
# Leaves the page as <work>/page.png and a picture of the dialog as <work>/dialog.png.
# Needs root for the packages and for the cups-pdf instance file /etc/cups/cups-pdf-ondalis.conf
# (removed at the end). The system's own CUPS server, if any, is left alone.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

"$root/scripts/install-deps.sh" cups printer-driver-cups-pdf poppler-utils openbox imagemagick \
    python3
cmake --build "$build" --target ondalis -j 2 >/dev/null

work=$(mktemp -d /tmp/ondalis-cups.XXXXXX)
chmod 755 "$work"
mkdir -p "$work"/{conf/ppd,spool,cache,state,log,tmp,pdf}
chmod 1777 "$work"/{spool,tmp,pdf}
instance=/etc/cups/cups-pdf-ondalis.conf
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -f "$instance"
}
trap cleanup EXIT

# The private server: its own folders, a local socket, no authentication.
cat >"$work/conf/cupsd.conf" <<EOF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
cat >"$work/conf/cups-files.conf" <<EOF
ServerRoot $work/conf
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
EOF
cat >"$instance" <<EOF
Out $work/pdf
AnonDirName $work/pdf
UserUMask 0000
Label 0
EOF

cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" &
pids+=($!)
export CUPS_SERVER=$work/cups.sock
for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
lpstat -r >/dev/null || { echo "print-cups: the CUPS server did not start" >&2; exit 1; }
queue=OndalisPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -p "$queue" -E -v cups-pdf:/ondalis -P "$ppd" 2>/dev/null
lpadmin -d "$queue"
export PRINTER=$queue LPDEST=$queue

# A private display with a window manager, so that the dialogs get the keyboard.
display=""
for n in $(seq 20 89); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    display=":$n"
    break
done
[[ -n "$display" ]] || { echo "print-cups: no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

"$build/src/app/ondalis" >"$work/ondalis.log" 2>&1 &
ondalis=$!
pids+=("$ondalis")
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Ondalis$' 2>/dev/null | head -1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
done
[[ -n "$window" ]] || { echo "print-cups: the main window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
sleep 0.5

# Drag the solid from x = 0 (scene pixel 450) to x = 5 cm (600) and let it go: the motion starts
# and the graph is drawn for the 5 s of the recording.
xdotool mousemove --window "$window" 458 301 mousedown 1 sleep 0.2 \
    mousemove --window "$window" 530 301 sleep 0.1 mousemove --window "$window" 608 301 \
    sleep 0.2 mouseup 1
sleep 6

xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key ctrl+p
dialog=""
for _ in $(seq 50); do
    dialog=$(xdotool search --onlyvisible --name '^Imprimer$' 2>/dev/null | head -1 || true)
    [[ -n "$dialog" ]] && break
    sleep 0.1
done
[[ -n "$dialog" ]] || { echo "print-cups: Ctrl+P did not open the print dialog" >&2; exit 1; }
sleep 0.5
# The graph, not centred across (centring down is off at first).
xdotool key Down
sleep 0.2
xdotool key Tab space
sleep 0.3
import -window root "$work/dialog.png"
xdotool key Return

pdf=""
for _ in $(seq 600); do
    pdf=$(find "$work/pdf" -name '*.pdf' -size +1k 2>/dev/null | head -1)
    [[ -n "$pdf" ]] && break
    sleep 0.1
done
if [[ -z "$pdf" ]]; then
    echo "print-cups: no PDF came out of the queue" >&2
    lpstat -W all -o "$queue" >&2 || true
    tail -20 "$work/log/error_log" >&2 || true
    exit 1
fi
sleep 1  # cups-pdf writes the file in one go, but let it close
kill "$ondalis" 2>/dev/null || true

pdftoppm -r 96 -singlefile "$pdf" "$work/page" 2>/dev/null
pdftoppm -r 96 -singlefile -png "$pdf" "$work/page" 2>/dev/null
echo "print-cups: page $work/page.png, dialog $work/dialog.png"
echo "print-cups: $(pdfinfo "$pdf" | grep -E '^(Pages|Page size)' | tr -s ' ' | paste -sd ';')"

python3 - "$work/page.ppm" "$ppd" <<'EOF'
import re, sys

ppm, ppd = sys.argv[1], sys.argv[2]
with open(ppm, "rb") as f:
    data = f.read()
header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
w, h = int(header.group(1)), int(header.group(2))
pixels = data[header.end():]

# Black lines of one pixel that fall between two rows of the rendering come out mid-grey.
def dark(x, y):
    i = 3 * (y * w + x)
    return max(pixels[i], pixels[i + 1], pixels[i + 2]) < 160

text = open(ppd, encoding="latin-1").read()
size = re.search(r"\*DefaultPageSize:\s*(\S+)", text).group(1)
paper = [float(v) for v in re.search(r"\*PaperDimension %s/[^:]*:\s*\"([^\"]+)\"" % size, text).group(1).split()]
area = [float(v) for v in re.search(r"\*ImageableArea %s/[^:]*:\s*\"([^\"]+)\"" % size, text).group(1).split()]
px = 96 / 72  # pixels per point
# Qt keeps margins of 10 points where the printer's own are narrower.
margins = [max(10.0, m) for m in (area[0], paper[1] - area[3], paper[0] - area[2], area[1])]
left, top = margins[0] * px, margins[1] * px
width_twips = (paper[0] - margins[0] - margins[2]) * 20
height_twips = (paper[1] - margins[1] - margins[3]) * 20
ox, oy = left + width_twips / 10 / 15, top + height_twips / 20 / 15
print("page %dx%d px; printable area from (%.1f, %.1f); graph expected at (%.1f, %.1f)" % (w, h, left, top, ox, oy))

# The time axis is the row of the graph with most ink, from (50, 115) to (580, 115); the curve
# crosses it here and there. It starts where 20 dark pixels follow one another.
counts = [sum(dark(x, y) for x in range(w)) for y in range(h)]
y0 = max(range(h), key=lambda y: counts[y])
x0 = next((x for x in range(w - 20) if all(dark(x + i, y0) for i in range(20))), -1)
x1 = max(x for x in range(w) if dark(x, y0))
length = x1 - x0 + 1
print("time axis found: %d px from (%d, %d); expected 531 px from (%.1f, %.1f)" % (length, x0, y0, ox + 50, oy + 115))
ok = abs(length - 531) <= 3 and abs(x0 - (ox + 50)) <= 2 and abs(y0 - (oy + 115)) <= 2
# The vertical axis, x = 50 from y = 5 to 215.
column = sum(dark(x0, y) for y in range(int(oy) + 8, int(oy) + 212))
print("vertical axis: %d dark pixels of %d" % (column, 204))
ok = ok and column >= 200
# The title in Arial 12 bold at the top-left corner of the printable area, above the graph.
title = [(x, y) for y in range(int(top), int(top) + 20) for x in range(int(left), int(left) + 200) if dark(x, y)]
if title:
    print("title ink from (%d, %d) to (%d, %d)" % (min(p[0] for p in title), min(p[1] for p in title), max(p[0] for p in title), max(p[1] for p in title)))
ok = ok and len(title) > 200 and min(p[0] for p in title) <= left + 3 and min(p[1] for p in title) <= top + 6
print("print-cups: " + ("PASS: the title and the graph are where they should be" if ok else "FAIL"))
sys.exit(0 if ok else 1)
EOF
