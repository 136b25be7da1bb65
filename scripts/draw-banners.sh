#!/usr/bin/env bash
# Draws the two banner pictures in resources/images at 1×, 2× and 3× (Qt picks name@2x.png
# and name@3x.png on scaled screens): sky.png for the main window, banner.png for the about box.
# The main window shows only the top-left 277 × 37 of sky.png on the smallest screen, so its
# texts stand there; the about box cuts banner.png's right 8 pixels.
# Usage: scripts/draw-banners.sh   (needs imagemagick and fonts-dejavu-core)
set -euo pipefail
cd "$(dirname "$0")/../resources/images"
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

for scale in 1 2 3; do
    suffix=$([[ $scale == 1 ]] && echo "" || echo "@${scale}x")
    s() { echo $(($1 * scale)); }
    convert -size "$(s 500)x$(s 50)" gradient:'rgb(58,110,165)-rgb(169,200,232)' \
        -font "$bold" -fill 'rgb(20,45,80)' -pointsize "$(s 21)" \
        -annotate "+$(s 11)+$(s 22)" 'TarnelJava' \
        -fill white -annotate "+$(s 10)+$(s 21)" 'TarnelJava' \
        -fill 'rgb(250,232,150)' -pointsize "$(s 9)" \
        -annotate "+$(s 12)+$(s 34)" 'javac · java · appletviewer' \
        -strip -define png:bit-depth=8 "sky$suffix.png"
    convert -size "$(s 330)x$(s 40)" gradient:'rgb(201,162,39)-rgb(255,243,176)' \
        -font "$bold" -fill 'rgb(74,40,0)' -pointsize "$(s 19)" \
        -annotate "+$(s 12)+$(s 27)" 'TarnelJava' \
        -pointsize "$(s 10)" -annotate "+$(s 280)+$(s 24)" 'v1.07' \
        -strip -define png:bit-depth=8 "banner$suffix.png"
done
