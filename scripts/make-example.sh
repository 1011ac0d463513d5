#!/usr/bin/env bash
# Makes an example document with plexion-tool from pictures, sounds,
# animations, maps, trajectories, colours, texts and a file generated here
# (nothing is downloaded).
#   scripts/make-example.sh TOOL OUT.dat
set -euo pipefail

tool=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pictures: a sky, a hero in three poses, grass and stone tiles.
convert -size 160x96 gradient:'#87CEEB-#1E4D8C' "$work/sky.png"
for pose in 0 1 2; do
    convert -size 32x32 xc:none -fill '#E8B04B' -draw "circle 16,10 16,3" \
        -fill '#3050C0' -draw "rectangle 10,14 22,24" \
        -fill '#303030' -draw "line $((12 - 3 * pose)),25 $((9 + 3 * pose)),31" \
        -draw "line $((20 + 3 * pose)),25 $((23 - 3 * pose)),31" "$work/hero$pose.png"
done
convert -size 16x16 xc:'#3CB043' -fill '#2E8B37' -draw "point 3,4 point 11,9 point 6,13" "$work/grass.png"
convert -size 16x16 xc:'#8A8A8A' -fill '#6E6E6E' -draw "rectangle 0,7 15,8 rectangle 7,0 8,7" "$work/stone.jpg"
convert -size 24x24 xc:none -fill '#FFD700' -stroke '#B8860B' -draw "circle 12,12 12,2" "$work/coin.gif"

# Sounds: a jump chirp (WAV), a coin ding (WAV, 8-bit) and music (Ogg Vorbis).
sox -n -r 22050 -c 1 -b 16 "$work/jump.wav" synth 0.25 sine 300-900 fade 0 0.25 0.1
sox -n -r 11025 -c 1 -b 8 "$work/coin.wav" synth 0.2 sine 1320 fade 0 0.2 0.15
sox -n -r 44100 -c 2 -b 16 "$work/music.wav" synth 2 sine 220 sine 330 fade 0.1 2 0.3
oggenc -Q -q 2 -o "$work/music.ogg" "$work/music.wav"

# A file the game ships as it is.
printf 'level,score\n1,100\n2,250\n' >"$work/highscores.csv"

"$tool" new "$out" --force --name "Example Game" --comments "Made by scripts/make-example.sh"
"$tool" add-text "$out" title "The Example Game" --comments "Shown on the title screen"
"$tool" add-text "$out" hero "Ann"
"$tool" add-text "$out" greeting "Hello [hero], welcome to [title]!"
"$tool" add-color "$out" sky 87CEEB --comments "Background of level 1"
"$tool" add-color "$out" grass 3CB043
"$tool" add-color "$out" gold FFD700
"$tool" add-file "$out" "$work/highscores.csv"
"$tool" add-image "$out" "$work/sky.png" "$work/hero0.png" "$work/hero1.png" "$work/hero2.png" \
    "$work/grass.png" "$work/stone.jpg" "$work/coin.gif"
"$tool" add-sound "$out" "$work/jump.wav" "$work/coin.wav" "$work/music.ogg"
# Bitmap indexes: 0 sky, 1-3 hero poses, 4 grass, 5 stone, 6 coin.
"$tool" add-animation "$out" hero_walk --mode 1 --frames 1:6:0:0,2:6:0:0,3:6:0:0,2:6:0:0
"$tool" add-animation "$out" coin_spin --mode 2 --frames 6:10:0:0,6:10:2:0
"$tool" add-map "$out" level1 --columns 10 --lines 6 --size-x 16 --size-y 16
cells=()
for column in 0 1 2 3 4 5 6 7 8 9; do
    cells+=("$column,5=5" "$column,4=4")
done
cells+=("3,2=6" "6,1=6")
"$tool" set-cells "$out" level1 "${cells[@]}"
"$tool" add-trajectory "$out" bird_flight --points "0,40;30,10;60,35;90,5;120,30;150,12"
"$tool" add-trajectory "$out" pond --type 1 --closed --points "20,60;60,50;90,70;70,95;30,90"
"$tool" path "$out" bird_flight smooth 2
