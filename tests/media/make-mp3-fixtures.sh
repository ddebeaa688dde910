#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the MP3 files that the MP3 reader tests compare against, with real
# encoders and taggers:
#   make-mp3-fixtures.sh OUTPUT-FOLDER
# Every file is encoded from a tone generated here, so its facts follow from
# the settings below (bit rate, sampling rate, channel mode, duration). A
# case whose tool is missing is named in OUTPUT-FOLDER/skipped (the test then
# skips it); a case whose tool fails leaves no file and no entry, so the test
# fails. The script itself always ends with status 0, so a build never stops
# on a missing encoder.
set -u
out="$1"
mkdir -p "$out"
rm -f "$out"/*.mp3 "$out"/*.wav "$out"/skipped "$out"/made
: >"$out/skipped"

have() {
    command -v "$1" >/dev/null 2>&1
}

has_twolame() {
    have ffmpeg && ffmpeg -hide_banner -encoders 2>/dev/null | grep -q libtwolame
}

# case NAME TOOL... -- COMMAND...: runs COMMAND when every TOOL is there.
case_() {
    name="$1"
    shift
    missing=""
    while [ "$1" != "--" ]; do
        case "$1" in
        twolame) has_twolame || missing="$missing $1" ;;
        *) have "$1" || missing="$missing $1" ;;
        esac
        shift
    done
    shift
    if [ -n "$missing" ]; then
        echo "$name" >>"$out/skipped"
        return
    fi
    if ! "$@" >"$out/$name.log" 2>&1; then
        echo "make-mp3-fixtures: $name failed:" >&2
        cat "$out/$name.log" >&2
        rm -f "$out/$name.mp3"
    fi
    rm -f "$out/$name.log"
}

ff() {
    ffmpeg -hide_banner -loglevel error -nostdin -y "$@"
}

# A 440 Hz tone that sounds for the second half of every second, so that a
# variable-rate encoder changes its rate from frame to frame.
tone() { # RATE CHANNELS SECONDS FILE
    ff -f lavfi -i "aevalsrc=0.5*sin(2*PI*440*t)*gt(mod(t\,1)\,0.5):s=$1:c=$2:d=$3" \
        -c:a pcm_s16le "$4"
}

encode_lame() { # NAME SOURCE LAME-OPTIONS...
    name="$1"
    source="$2"
    shift 2
    lame --quiet "$@" "$out/$source" "$out/$name.mp3"
}

# Layer II through ffmpeg; without a container its output is the bare stream.
encode_mp2() { # NAME RATE CHANNELS SECONDS FFMPEG-OPTIONS...
    name="$1"
    rate="$2"
    channels="$3"
    seconds="$4"
    shift 4
    ff -f lavfi -i "aevalsrc=0.5*sin(2*PI*440*t):s=$rate:c=$channels:d=$seconds" "$@" -f mp2 \
        "$out/$name.mp3"
}

# Sources: five seconds each.
case_ tone-44100-stereo ffmpeg -- tone 44100 stereo 5 "$out/tone-44100-stereo.wav"
case_ tone-48000-stereo ffmpeg -- tone 48000 stereo 5 "$out/tone-48000-stereo.wav"
case_ tone-44100-mono ffmpeg -- tone 44100 mono 5 "$out/tone-44100-mono.wav"

# Layer III by lame. Constant rates write an "Info" header into the first
# frame, variable rates a "Xing" header; -t writes neither.
case_ lame-cbr-joint lame ffmpeg -- encode_lame lame-cbr-joint tone-44100-stereo.wav -b 128 --cbr -m j
case_ lame-cbr-stereo lame ffmpeg -- encode_lame lame-cbr-stereo tone-48000-stereo.wav -b 192 --cbr -m s
case_ lame-cbr-dual lame ffmpeg -- encode_lame lame-cbr-dual tone-44100-stereo.wav -b 128 --cbr -m d
case_ lame-cbr-mono lame ffmpeg -- encode_lame lame-cbr-mono tone-44100-mono.wav -b 64 --cbr -m m
case_ lame-cbr-bare lame ffmpeg -- encode_lame lame-cbr-bare tone-44100-stereo.wav -t -b 128 --cbr -m j
case_ lame-vbr lame ffmpeg -- encode_lame lame-vbr tone-44100-stereo.wav -V 4 -m j
case_ lame-vbr-bare lame ffmpeg -- encode_lame lame-vbr-bare tone-44100-stereo.wav -t -V 4 -m j
case_ lame-mpeg2 lame ffmpeg -- encode_lame lame-mpeg2 tone-44100-mono.wav -b 64 --cbr -m m --resample 22.05
case_ lame-mpeg25 lame ffmpeg -- encode_lame lame-mpeg25 tone-44100-stereo.wav -b 32 --cbr -m s --resample 11.025

# Layer II, four seconds each.
case_ mp2-stereo ffmpeg -- encode_mp2 mp2-stereo 48000 stereo 4 -c:a mp2 -b:a 192k
case_ mp2-mpeg2-mono ffmpeg -- encode_mp2 mp2-mpeg2-mono 24000 mono 4 -c:a mp2 -b:a 64k
case_ mp2-dual twolame -- encode_mp2 mp2-dual 44100 stereo 4 -c:a libtwolame -b:a 256k -mode dual_channel
case_ mp2-joint twolame -- encode_mp2 mp2-joint 44100 stereo 4 -c:a libtwolame -b:a 224k -mode joint_stereo

# Tags, each on a copy of the constant-rate joint-stereo file.
tag_copy() { # NAME
    cp "$out/lame-cbr-joint.mp3" "$out/$1.mp3"
}

# id3v2 writes an ID3v2.3 tag and an ID3v1 tag; the genre as "(17)".
id3v2_both() {
    tag_copy id3v2-both &&
        id3v2 -a "Artist 100%" -A "Album" -t "Title" -y 2004 -g 17 -T 09/15 -c "A comment" \
            "$out/id3v2-both.mp3"
}
case_ id3v2-both id3v2 lame ffmpeg -- id3v2_both

id3v2_v1() {
    tag_copy id3v2-v1 && id3v2 -1 -a "Artist" -t "Title" -g 17 -T 7 "$out/id3v2-v1.mp3"
}
case_ id3v2-v1 id3v2 lame ffmpeg -- id3v2_v1

# eyeD3 writes ID3v2.4 in UTF-8, the date as "TDRC".
eyed3_v24() {
    tag_copy eyed3-v24 &&
        eyeD3 -Q --to-v2.4 -a "Bjørk Ǆ" -A "Homogénic" -t "Jóga" -G "Norvik Folk" \
            --recording-date 2004-07-09 -n 9 -N 15 -c "Ça va 100%" "$out/eyed3-v24.mp3"
}
case_ eyed3-v24 eyeD3 lame ffmpeg -- eyed3_v24

# ID3v2.3 in UTF-16 beside an ID3v1 tag; the date as "TYER" 1997 and
# "TDAT" 2209; no genre and no track in the ID3v2 tag.
eyed3_v23() {
    tag_copy eyed3-v23 &&
        eyeD3 -Q --to-v2.3 --encoding utf16 -a "Bjørk Ǆ" -t "Jóga" --recording-date 1997-09-22 \
            "$out/eyed3-v23.mp3" &&
        eyeD3 -Q --v1 -a "Bjork" -t "Joga" -G Rock -n 3 "$out/eyed3-v23.mp3"
}
case_ eyed3-v23 eyeD3 lame ffmpeg -- eyed3_v23

# A genre text as stored in ID3v2.3 (UTF-16): "(17)Rock".
eyed3_genre() {
    tag_copy eyed3-genre &&
        eyeD3 -Q --to-v2.3 --encoding utf16 --text-frame "TCON:(17)Rock" "$out/eyed3-genre.mp3"
}
case_ eyed3-genre eyeD3 lame ffmpeg -- eyed3_genre

rm -f "$out"/*.wav
: >"$out/made"
exit 0
