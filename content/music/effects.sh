#!/bin/bash
# Lanternfall sound effects, built from nothing but sox's own generators.
#
#   effects.sh OUTDIR
#
# writes OUTDIR/door.wav   (a wooden door creaking open, then the latch clicking)
#        OUTDIR/jubjub.wav (the jubjub bird's shrill call and a flurry of wings)
# Both are 22050 Hz, 16-bit, mono. The script reads no input files.
set -euo pipefail

out=${1:?usage: effects.sh OUTDIR}
mkdir -p "$out"
command -v sox >/dev/null || { echo "effects.sh: sox is not installed" >&2; exit 1; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/lanternfall-fx.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

# every intermediate and final file uses this one format; -R seeds the noise
# generators the same way every time, so a rebuild gives identical files
fmt=(-r 22050 -b 16 -c 1)
sx() { sox -q -R "$@"; }

# gen FILE EFFECTS... : synthesise FILE from silence with the given effect chain
gen() { local f=$1; shift; sx -n "${fmt[@]}" "$tmp/$f" "$@"; }
# cat_ OUT IN... : join pieces end to end
cat_() { local o=$1; shift; local a=(); for f in "$@"; do a+=("$tmp/$f"); done; sx "${a[@]}" "${fmt[@]}" "$tmp/$o"; }
# mix_ OUT IN... : lay pieces on top of each other
mix_() { local o=$1; shift; local a=(); for f in "$@"; do a+=("$tmp/$f"); done; sx -m "${a[@]}" "${fmt[@]}" "$tmp/$o"; }

# ---------------------------------------------------------------- door.wav
# The creak is stick-slip: the hinge grabs and lets go many times a second.
# A thin pulse train whose rate wanders stands for the grabbing; band-pass
# filters give it the hollow, woody body of the door. Three strokes: a slow
# start, a rising groan as the door swings, and a sagging finish.
gen creak1.wav synth 0.30 square 24-41 0 0 5
gen creak2.wav synth 0.36 square 41-104 0 0 4
gen creak3.wav synth 0.28 square 98-44 0 0 4
cat_ pulses.wav creak1.wav creak2.wav creak3.wav
sx "$tmp/pulses.wav" "${fmt[@]}" "$tmp/body_lo.wav" gain -8 highpass 180 bandpass 760 2.5q gain 6
sx "$tmp/pulses.wav" "${fmt[@]}" "$tmp/body_hi.wav" gain -8 bandpass 1650 4q bandpass 2300 6q gain 10
mix_ creak_raw.wav body_lo.wav body_hi.wav
sx "$tmp/creak_raw.wav" "${fmt[@]}" "$tmp/creak.wav" \
    tremolo 7 35 fade q 0.06 -0 0.12 pad 0 0.36

# The latch: a dry wooden knock of the door meeting its frame, the sharp tick
# of the bolt, and a short metallic ring from the catch.
gen knock.wav synth 0.07 sine 150-95 fade q 0.002 0.07 0.065 gain -4
gen tick.wav synth 0.006 whitenoise gain -6 highpass 2500 fade q 0.0005 0.006 0.005
gen ring.wav synth 0.11 pluck 2730 fade q 0.001 0.11 0.1 gain -9
gen ring2.wav synth 0.09 pluck 4110 fade q 0.001 0.09 0.085 gain -13
mix_ clack_a.wav tick.wav ring.wav ring2.wav
sx "$tmp/clack_a.wav" "${fmt[@]}" "$tmp/clack.wav" pad 0.018
mix_ latch0.wav knock.wav clack.wav
sx "$tmp/latch0.wav" "${fmt[@]}" "$tmp/latch.wav" pad 1.0 0.2

mix_ door_dry.wav creak.wav latch.wav
# a small room around it, then trim to 1.2 s and level the result
sx "$tmp/door_dry.wav" "${fmt[@]}" "$out/door.wav" \
    trim 0 1.2 reverb 18 50 30 fade q 0 1.2 0.04 norm -3

# -------------------------------------------------------------- jubjub.wav
# The call: two short rising shrieks and a long, wobbling cry that falls away,
# each syllable built from quick pitch sweeps; a buzzing tremolo makes it harsh.
chirp() { # chirp FILE LEN FROM TO
  gen "$1" synth "$2" sine "$3-$4" fade q 0.006 "$2" 0.02
}
chirp kee1.wav 0.11 2500 3900
chirp kee2.wav 0.11 2750 4200
gen gap1.wav trim 0 0.045
gen gap2.wav trim 0 0.02
# the long cry: one falling sweep, bent up and down as it goes so that it wobbles
# (it starts with a breath of silence, which the bend needs to settle in)
wob=(); c=260
for _ in 1 2 3 4 5 6 7 8 9 10; do wob+=("0,$c,0.042"); c=$((-c)); done
gen cry_raw.wav synth 0.47 sine 4300:2200 fade q 0.015 -0 0.05 pad 0.03
sx "$tmp/cry_raw.wav" "${fmt[@]}" "$tmp/cry.wav" gain -3 bend -f 80 "${wob[@]}" fade q 0.01 -0 0.12
cat_ call_clean.wav kee1.wav gap1.wav kee2.wav gap2.wav cry.wav
# a fainter shadow of the call, a fifth higher, gives it an uncanny, piercing edge
sx "$tmp/call_clean.wav" "${fmt[@]}" "$tmp/call_edge.wav" gain -9 pitch 700
mix_ call_mix.wav call_clean.wav call_edge.wav
sx "$tmp/call_mix.wav" "${fmt[@]}" "$tmp/call.wav" tremolo 58 45 pad 0.02

# The wings: soft bursts of air, fast at first and slowing as the bird settles
gen wing1.wav synth 0.45 pinknoise tremolo 13 100
gen wing2.wav synth 0.42 pinknoise tremolo 9 100
cat_ wings_raw.wav wing1.wav wing2.wav
sx "$tmp/wings_raw.wav" "${fmt[@]}" "$tmp/wings.wav" \
    bandpass 450 0.8q lowpass 2000 fade q 0.12 -0 0.35 gain 4 pad 0.6 0.13

mix_ jub_dry.wav call.wav wings.wav
sx "$tmp/jub_dry.wav" "${fmt[@]}" "$out/jubjub.wav" \
    trim 0 1.5 reverb 25 50 60 fade q 0 1.5 0.08 norm -3
